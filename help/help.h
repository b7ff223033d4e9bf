#pragma once
/// Context help: a right click on a command opens its page.

/// Opens page `page` (1 to 23) of the oscilloscope help book. Returns 0, or -1 when the help
/// panel cannot be loaded.
int help_O(int page);

/// Opens page `page` (1 to 12) of the generator help book. Returns 0, or -1 when the help panel
/// cannot be loaded.
int help_G(int page);
