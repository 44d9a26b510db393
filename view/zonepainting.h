#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <optional>

class QPainter;
class ZoneMemo;
struct EditData;

// Shared by the three zone painters.
namespace ZonePainting {

constexpr int CurrentAlpha = 200;
constexpr int OtherAlpha = 125;

// Fill colour of `output` (0..2) with the alpha for whether it is the current output.
QColor fillColor(const QColor &rgb, int output, const EditData *data);

// Draws `output` of the current area, its zone worked out through `memo`.
// Returns the path to hand on to the next output when a zone was produced;
// nothing when the points do not suit the shape.
std::optional<QPainterPath> paint(QPainter *painter, EditData *data, int output, const QPainterPath *base,
                                  const QColor &rgb, double width, double height, ZoneMemo &memo);

// Paint engines refuse to fill a path beyond +/-32767 pixels (the OpenGL
// one measures from the path's own origin and silently draws nothing). At
// high zoom a zone or the greyed region easily gets that big: such a path is
// cut to the visible part and drawn from an origin near it.
void drawPath(QPainter *painter, const QPainterPath &path);
void fillPath(QPainter *painter, const QPainterPath &path, const QBrush &brush);

inline QRectF sceneRect(double width, double height) { return QRectF(-width / 2, -height / 2, width, height); }

} // namespace ZonePainting
