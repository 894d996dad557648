#pragma once
// Draws laid-out pages on any paint device: a printer, a PDF file or an image.

#include <QImage>
#include <QString>

#include "report/document.h"

class QPainter;
class QPrinter;

namespace report {

// Paints one page; the painter's origin is the top left corner of the paper
// and its device's logical resolution gives the scale.
void paintPage(QPainter& painter, const Document& document, int pageIndex);

// The page as a white image at the given resolution (dots per inch).
QImage renderPage(const Document& document, int pageIndex, int dpi);

// Writes every page into a PDF file. Throws fmt::AppError when the file
// cannot be written.
void writePdf(const Document& document, const QString& fileName);

// Prints the pages the printer's page range asks for (all by default).
void print(const Document& document, QPrinter& printer);

}  // namespace report
