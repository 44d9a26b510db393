#include "addresscombo.h"

#include <QComboBox>

namespace AddressCombo {

void offerFirst(QComboBox *box, const QStringList &addresses)
{
    for (int i = 0; i < addresses.size(); ++i) {
        const int at = box->findText(addresses[i]);
        if (at >= 0)
            box->removeItem(at);
        box->insertItem(i, addresses[i]);
    }
    if (!addresses.isEmpty())
        box->setCurrentIndex(0);
}

} // namespace AddressCombo
