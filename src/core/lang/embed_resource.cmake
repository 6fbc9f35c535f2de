# SPDX-License-Identifier: GPL-3.0-or-later
# Turns a resource file into a C++ source that carries its bytes, so the program needs no
# file at run time. Run as a script:
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DTEMPLATE=<file.cpp.in> -P embed_resource.cmake
# The template sees @RESOURCE_BYTES@ (comma-separated 0xNN values, 16 per line) and
# @RESOURCE_SIZE@.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR RESOURCE_SIZE "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# One line per 16 bytes keeps the generated file readable (CMake's regex has no {n}).
string(REPEAT "0x..," 16 sixteen_bytes)
string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n    " RESOURCE_BYTES "${bytes}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
