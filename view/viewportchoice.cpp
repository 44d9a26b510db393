#include "viewportchoice.h"

#include "settingsstore.h"

#include <QStringList>

namespace ViewportChoice {

QString settingsKey() { return QStringLiteral("Viewport"); }

Mode parse(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("opengl") || t == QLatin1String("gl"))
        return Mode::OpenGL;
    if (t == QLatin1String("raster"))
        return Mode::Raster;
    return Mode::Automatic;
}

QString name(Mode mode)
{
    switch (mode) {
    case Mode::OpenGL: return QStringLiteral("opengl");
    case Mode::Raster: return QStringLiteral("raster");
    default: return QStringLiteral("auto");
    }
}

bool softwareRenderer(const QString &renderer)
{
    // Mesa's llvmpipe, softpipe and swrast, Google's SwiftShader, Windows'
    // fallbacks, and whatever calls itself a software rasterizer.
    static const QStringList markers = {
        QStringLiteral("llvmpipe"),          QStringLiteral("softpipe"),  QStringLiteral("swrast"),
        QStringLiteral("swiftshader"),       QStringLiteral("software"),  QStringLiteral("gdi generic"),
        QStringLiteral("basic render driver"), QStringLiteral("lavapipe")};
    const QString r = renderer.toLower();
    for (const QString &m : markers)
        if (r.contains(m))
            return true;
    return false;
}

bool useOpenGL(Mode mode, const QString &renderer)
{
    if (renderer.isEmpty() || mode == Mode::Raster)
        return false;
    return mode == Mode::OpenGL || !softwareRenderer(renderer);
}

Mode stored()
{
    return parse(settingsStore().value(settingsKey()).toString());
}

void store(Mode mode)
{
    QSettings settings = settingsStore();
    settings.setValue(settingsKey(), name(mode));
}

Mode configured()
{
    const QByteArray env = qgetenv(EnvironmentVariable);
    return env.isEmpty() ? stored() : parse(QString::fromLocal8Bit(env));
}

} // namespace ViewportChoice
