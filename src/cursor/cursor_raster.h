#pragma once
// The editor's drawing surface: the picture as a 32 x 32 colour raster, the shapes the
// line, ellipse and rectangle tools draw on it (aliased, through Qt's painter), the zoomed
// grid and the tool icons.

#include <QColor>
#include <QImage>
#include <QPoint>

#include "cursor/cursor_image.h"

namespace cursor {

enum Tool { kDotTool = 0, kLineTool = 1, kEllipseTool = 2, kRectangleTool = 3 };

QColor QColourOfCode(int code);

// The picture as colours, and back (a colour none of the four reads as code 2).
QImage RasterOf(const CursorImage& image);
CursorImage PictureOf(const QImage& raster);

// Draws a shape from pixel `start` to pixel `end` in `pen`. A line leaves out its end
// pixel; an ellipse or rectangle fills the box the two pixels span, its right and bottom
// edges left out, with code 2's white inside a one-pixel outline. Parts outside the
// raster are clipped.
void DrawShape(QImage& raster, Tool tool, QPoint start, QPoint end, const QColor& pen);

// The 289 x 289 zoomed grid showing the picture.
QImage GridImage(const CursorImage& image);

// A tool's icon: white strokes on the grid's gray.
QImage ToolIcon(Tool tool);
inline constexpr int kIconWidth = 61;
inline constexpr int kIconHeight = 33;

}  // namespace cursor
