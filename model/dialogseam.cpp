#include "dialogseam.h"

DialogSeam::~DialogSeam() = default;

namespace {
class SilentDialogs final : public DialogSeam
{
public:
    int ask(Icon, const QString &, const QString &, const QStringList &, int) override { return -1; }
    void notify(Icon, const QString &, const QString &, const QString &) override {}
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    void progressShow(const QString &, int) override {}
    void progressSetTitle(const QString &) override {}
    void progressSetValue(int) override {}
    void progressClose() override {}
};

SilentDialogs g_silent;
DialogSeam *g_current = &g_silent;
} // namespace

DialogSeam *DialogSeam::current() { return g_current; }

void DialogSeam::install(DialogSeam *seam) { g_current = seam ? seam : &g_silent; }
