#pragma once

#include <QString>

// Which viewport the editor's view draws through. OpenGL pays only with a
// driver behind it: a software rasterizer (virtual machines, remote desktops,
// PCs without a GPU driver) costs about ten times what raster painting does
// for the same live scan.
namespace ViewportChoice {

enum class Mode { Automatic, OpenGL, Raster };

// Environment variable that overrides the setting (for tests and support).
constexpr const char *EnvironmentVariable = "QUILLMARK_VIEWPORT";
// Settings key of the user's choice: "auto", "opengl" or "raster".
QString settingsKey();

// "opengl"/"gl" and "raster" (any case, spaces ignored); anything else is automatic.
Mode parse(const QString &text);
QString name(Mode mode);

// True for the renderers that draw on the processor (GL_RENDERER text).
bool softwareRenderer(const QString &renderer);

// Whether to take the OpenGL viewport. `renderer` is empty when no context
// could be made, and then nothing forces OpenGL.
bool useOpenGL(Mode mode, const QString &renderer);

// The user's stored choice, and storing it (read when a view is made).
Mode stored();
void store(Mode mode);
// The environment variable when set, else the stored setting.
Mode configured();

} // namespace ViewportChoice
