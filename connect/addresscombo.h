#pragma once

#include <QStringList>

class QComboBox;

// The address boxes of both connection dialogs: the addresses used last
// come first, and the most recent is the current entry.
namespace AddressCombo {
// Puts addresses at the top in their order (taking them out further down
// where a search listed them) and makes the first current; nothing to
// offer changes nothing.
void offerFirst(QComboBox *box, const QStringList &addresses);
} // namespace AddressCombo
