#pragma once
/// Names every callback of the instrument for the resource files.

/// Registers every control and menu callback under the name the resource files use.
void RegisterInstrumentCallbacks();
