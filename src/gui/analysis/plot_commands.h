// The Receiver Plot, Spectrum Plot, Attenuation and Receiver Timer commands
// of the Tools and Analysis menus, and the Plot Dialog of a plot window.
#pragma once

namespace elix {

class CElixDoc;
class CMainFrame;

// Tools > Receiver Plot: loads the receiver output files when the receiver
// plot is empty, opens its window and the Plot Dialog on it; after OK every
// window of the model repaints.
void ReceiverPlotCommand(CMainFrame& frame, CElixDoc& doc);
// Analysis > Spectrum Plot: the spectra of the receiver curves in the
// spectrum window. False when there is no receiver data.
bool SpectrumPlotCommand(CMainFrame& frame, CElixDoc& doc);
// Analysis > Attenuation: the spectra in dB against the curve chosen in the
// Reference Curve dialog.
void AttenuationCommand(CMainFrame& frame, CElixDoc& doc);
// Analysis > Receiver Timer: the timer dialog on the receiver plot.
void ReceiverTimerCommand(CMainFrame& frame, CElixDoc& doc);

// The Plot Dialog on the document's plot of kind; true when it closed with
// OK (the windows of that kind, or all with the receiver plot, repaint).
bool EditPlot(CMainFrame& frame, CElixDoc& doc, char kind);

}  // namespace elix
