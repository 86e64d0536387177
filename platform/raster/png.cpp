// Placeholder: filled in with the raster engine.
