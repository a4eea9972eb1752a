// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Twips.h"
#include "platform/Canvas.h"

#include <QList>
#include <QPointF>
#include <QSizeF>

// Passes every call on to another canvas and notes the texts written (their
// box in pixels, from the top-left corner and the measured size) and the
// number of lines drawn.
class RecordingCanvas : public Canvas
{
public:
    struct Text
    {
        QString text;
        QPointF topLeft;
        QSizeF size;
    };

    explicit RecordingCanvas(Canvas &inner) : m_inner(inner) {}

    QList<Text> texts;
    int lines = 0;
    int polygons = 0;

    void clear() override { m_inner.clear(); }
    void setUnit(Unit unit) override { m_inner.setUnit(unit); }
    Unit unit() const override { return m_inner.unit(); }
    double innerWidth() const override { return m_inner.innerWidth(); }
    double innerHeight() const override { return m_inner.innerHeight(); }
    void setDrawColour(qint32 colour) override { m_inner.setDrawColour(colour); }
    void setFillColour(qint32 colour) override { m_inner.setFillColour(colour); }
    void setFillStyle(FillStyle style) override { m_inner.setFillStyle(style); }
    void setLineWidth(int pixels) override { m_inner.setLineWidth(pixels); }
    void setLineStyle(LineStyle style) override { m_inner.setLineStyle(style); }
    void setTextFont(const QFont &font) override { m_inner.setTextFont(font); }
    void line(double x1, double y1, double x2, double y2) override
    {
        ++lines;
        m_inner.line(x1, y1, x2, y2);
    }
    void circle(double x, double y, double radius) override { m_inner.circle(x, y, radius); }
    void text(double left, double top, const QString &text) override
    {
        const double scale = unit() == Unit::Twips ? Twips::perPixel : 1;
        texts.append({text, QPointF(left, top) / scale, QSizeF(textWidth(text), textHeight(text)) / scale});
        m_inner.text(left, top, text);
    }
    double textWidth(const QString &text) const override { return m_inner.textWidth(text); }
    double textHeight(const QString &text) const override { return m_inner.textHeight(text); }
    void rectanglePixels(int left, int top, int right, int bottom) override
    {
        m_inner.rectanglePixels(left, top, right, bottom);
    }
    void polygon(const QPolygonF &points) override
    {
        ++polygons;
        m_inner.polygon(points);
    }

private:
    Canvas &m_inner;
};
