#include "nwtext.h"

#include "logging/log.h"

#include <QPainter>
#include <QStaticText>
#include <QTextOption>

namespace dorvo_preview {

namespace {

const QString kTransparent = QStringLiteral("#00000000");

QFont hardEdged(QFont font)
{
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

NWText::NWText(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(false);
    setOpaquePainting(false);
}

NWText::~NWText() = default;

void NWText::setNwText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    emit nwTextChanged();
    update();
}

void NWText::setNwX(int x)
{
    if (x_ == x)
        return;
    x_ = x;
    emit nwXChanged();
    update();
}

void NWText::setNwWidth(qreal width)
{
    if (qFuzzyCompare(width_ + 1, width + 1))
        return;
    width_ = width;
    emit nwWidthChanged();
    update();
}

void NWText::setNwHeight(qreal height)
{
    if (qFuzzyCompare(height_ + 1, height + 1))
        return;
    height_ = height;
    emit nwHeightChanged();
    update();
}

void NWText::setNwVerticalAlignment(VerticalAlignment alignment)
{
    if (verticalAlignment_ == alignment)
        return;
    verticalAlignment_ = alignment;
    emit nwVerticalAlignmentChanged();
    update();
}

void NWText::setNwBackgroundColor(const QString& color)
{
    if (backgroundColor_ == color)
        return;
    backgroundColor_ = color;
    emit nwBackgroundColorChanged();
    update();
}

void NWText::setNwTextFormat(TextFormat format)
{
    if (textFormat_ == format)
        return;
    textFormat_ = format;
    emit nwTextFormatChanged();
    update();
}

void NWText::setNwFont(const QFont& font)
{
    if (font_ == font)
        return;
    font_ = font;
    emit nwFontChanged();
    update();
}

void NWText::setNwColor(const QColor& color)
{
    if (color_ == color)
        return;
    color_ = color;
    emit nwColorChanged();
    update();
}

void NWText::setNwLineHeight(qreal lineHeight)
{
    if (qFuzzyCompare(lineHeight_ + 1, lineHeight + 1))
        return;
    lineHeight_ = lineHeight;
    emit nwLineHeightChanged();
    update();
}

void NWText::setNwPixelSize(int pixelSize)
{
    if (pixelSize_ == pixelSize)
        return;
    pixelSize_ = pixelSize;
    emit nwPixelSizeChanged();
    update();
}

void NWText::paint(QPainter* painter)
{
    if (text_.isEmpty())
        return;
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, false);
    switch (textFormat_) {
    case RichText:
        paintRichText(painter, true);
        break;
    case PlainText:
        paintRichText(painter, false);
        break;
    case OriginalPlainText:
        paintOriginalPlainText(painter);
        break;
    }
}

bool NWText::fillBackground(QPainter* painter)
{
    const QRectF all(0, 0, width(), height());
    const QColor background(backgroundColor_);
    if (backgroundColor_ != kTransparent && background.isValid()) {
        painter->setCompositionMode(QPainter::CompositionMode_Source);
        painter->fillRect(all, background);
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return true;
    }
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->fillRect(all, Qt::transparent);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return false;
}

void NWText::paintRichText(QPainter* painter, bool wrap)
{
    if (fillBackground(painter))
        LOG_D("NWText::paintRichText draw background");

    QStaticText text;
    text.setTextFormat(Qt::RichText);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    text.setTextOption(option);
    if (wrap && width_ > 0)
        text.setTextWidth(width_);
    text.setText(text_);
    const QFont font = hardEdged(painter->font());
    painter->setFont(font);
    text.prepare(painter->transform(), font);

    const qreal textHeight = text.size().height();
    qreal y = 0;
    if (verticalAlignment_ == VerticalCentern)
        y = (height_ - textHeight) / 2;
    else if (verticalAlignment_ == VerticalButtom)
        y = height_ - textHeight;
    painter->drawStaticText(QPointF(x_, y), text);
}

void NWText::paintOriginalPlainText(QPainter* painter)
{
    if (fillBackground(painter))
        LOG_D("NWText::paintOriginalPlainText draw background");
    else
        LOG_D("NWText::paintOriginalPlainText draw transparent background");

    QFont font = hardEdged(font_);
    if (pixelSize_ > 0)
        font.setPixelSize(pixelSize_);
    painter->setFont(font);
    painter->setPen(color_);
    if (text_.contains(QStringLiteral("\r\n"))) {
        const QStringList lines = text_.split(QStringLiteral("\r\n"));
        for (int i = 0; i < lines.size(); ++i)
            painter->drawText(QRectF(x_, i * lineHeight_, width_, height_), Qt::AlignLeft | Qt::AlignTop,
                              lines.at(i));
    } else {
        painter->drawText(QRectF(x_, 0, width_, height_), Qt::AlignLeft | Qt::AlignTop, text_);
    }
}

} // namespace dorvo_preview
