#pragma once
// Keys of a reference list's search field: Up and Down move the list's
// current row while the focus stays in the field; every other key that is
// not typing (Left, Right, Home, End, Delete...) does nothing there.
// Typed characters, Backspace, the clipboard keys and the dialog keys
// (Tab, Enter, Escape) keep their meaning.

class QLineEdit;

namespace data {
class Dataset;
}

namespace reference {

void installSearchKeys(QLineEdit* field, data::Dataset& list);

}  // namespace reference
