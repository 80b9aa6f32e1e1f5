// The one source of a target that only owns a precompiled header for others.
