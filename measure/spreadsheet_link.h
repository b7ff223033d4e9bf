#pragma once
/// The spreadsheet data link: loads a 600-point waveform for a channel from a workbook.

/// Opens the data-link panel for `channel` (0 CH I, 1 CH II). Returns 0, or -1 when the panel
/// cannot be shown.
int iniciar_excel(int channel);
