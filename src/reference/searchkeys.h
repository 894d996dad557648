#pragma once
// Keys of a reference list's search field: Up and Down move the list's
// current row while the focus stays in the field. By default every other key
// that is not typing (Left, Right, Home, End, Delete...) does nothing there;
// typed characters, Backspace, the clipboard keys and the dialog keys (Tab,
// Enter, Escape) keep their meaning. The product list keeps them all.

class QLineEdit;

namespace data {
class Dataset;
}

namespace reference {

enum class OtherKeys { Blocked, Kept };

void installSearchKeys(QLineEdit* field, data::Dataset& list, OtherKeys others = OtherKeys::Blocked);

}  // namespace reference
