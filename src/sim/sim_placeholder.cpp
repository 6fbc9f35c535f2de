// Replaced by the instrument model.
