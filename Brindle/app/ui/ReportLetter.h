// ReportLetter: the printed report, laid out on one page of any paged device (a printer or a
// PDF writer) in the light appearance's colours: the title, when and where the check ran, the
// answer, the folder grid, what needs the person, the backups, and the promise under a
// divider. A letter that would run past the page is drawn smaller, down to three quarters of
// its size, so that it stays legible; a letter still longer than the page is cut at its end
// (LetterPresentation.h keeps the folder grid short enough that it fits).
//
// Needs a QGuiApplication (fonts); main thread only. Nothing here throws.
#pragma once

#include "Brindle/app/model/LetterPresentation.h"

#include <QByteArray>

class QPagedPaintDevice;

namespace brindle::ReportLetter {

// Draws `letter` on the current page of `device`; false when the device could not be painted
// on (a printer or file that would not open).
bool print(const presentation::Letter& letter, QPagedPaintDevice& device);

// The letter as a one-page A4 PDF document; empty when it could not be made.
QByteArray pdf(const presentation::Letter& letter);

} // namespace brindle::ReportLetter
