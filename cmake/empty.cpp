// Placeholder for folders that have no sources yet.
