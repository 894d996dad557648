#pragma once
// What screen readers and other assistive tools are told about our controls.
//
// On X11 the toolkit names a drop-down list by the entry it shows ("Заявка №
// ЗП-00161 от 30.11.2026"), not by the name it was given, so the list loses
// its label as soon as something is chosen. The factory installed here gives
// every combo box that is not editable the name of its label (its accessible
// name, else its buddy's text) and reports the shown entry as its value.

namespace ui {

// Installs the factory; the application object does it at start. Installing
// it again changes nothing.
void installAccessibility();

}  // namespace ui
