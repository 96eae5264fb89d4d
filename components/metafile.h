#pragma once
// Windows metafiles (drawings, not pixels) rendered to pixels at their natural size: enhanced
// metafiles through libemf2svg, old-style metafiles through libwmf's SVG output, both drawn by
// Qt SVG. The records are walked first, so that a cut-off or inflated file is refused before a
// converter sees it.

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <string>

// The screen resolution a metafile's physical size is shown at, as on a Windows desktop.
inline constexpr double kMetafileDotsPerInch = 96.0;

// Renders an enhanced metafile (.emf) on a transparent background. Throws PictureError.
QImage RenderEmf(const QByteArray& bytes, const std::string& path);

// Renders an old-style metafile (.wmf), with or without a placeable header, on a transparent
// background. Throws PictureError.
QImage RenderWmf(const QByteArray& bytes, const std::string& path);

// Draws an SVG document over a transparent picture of the given size; used by both renderers.
QImage RenderSvgDocument(const QByteArray& svg, QSize size, const std::string& path);
