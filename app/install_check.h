#pragma once
/// A check of an installed program, for technicians and for the install tests.

/// Looks for every resource file that the program loads, loads every panel of every resource
/// file in the resource directory, then looks for the artwork those panels name and for the
/// manual. Prints one line per problem to standard error
/// and a summary to standard output. Returns 0 when everything was found, 1 otherwise.
/// Needs the engine initialised and the main panel loaded (the dialogs' parent).
int CheckInstallation();
