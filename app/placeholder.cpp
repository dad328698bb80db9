// Replaced by the installer sources.
