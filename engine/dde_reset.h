#pragma once
/// Engine-internal: ends every conversation and launched program (EngineReset, CloseCVIRTE).

void DdeReset();
void TerminateAllExecutables();
