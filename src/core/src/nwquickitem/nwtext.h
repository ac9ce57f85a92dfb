#pragma once

#include <QColor>
#include <QFont>
#include <QQuickPaintedItem>
#include <QString>

namespace dorvo_preview {

// A text painter without antialiasing: glyph edges stay hard, so text that
// moves by whole pixels stays crisp. Paints rich text (wrapped), one line of
// rich text, or plain text split at "\r\n" into lines of a fixed pitch.
class NWText : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString nwText READ nwText WRITE setNwText NOTIFY nwTextChanged)
    Q_PROPERTY(int nwX READ nwX WRITE setNwX NOTIFY nwXChanged)
    Q_PROPERTY(qreal nwWidth READ nwWidth WRITE setNwWidth NOTIFY nwWidthChanged)
    Q_PROPERTY(qreal nwHeight READ nwHeight WRITE setNwHeight NOTIFY nwHeightChanged)
    Q_PROPERTY(VerticalAlignment nwVerticalAlignment READ nwVerticalAlignment WRITE setNwVerticalAlignment
                   NOTIFY nwVerticalAlignmentChanged)
    Q_PROPERTY(QString nwBackgroundColor READ nwBackgroundColor WRITE setNwBackgroundColor NOTIFY
                   nwBackgroundColorChanged)
    Q_PROPERTY(TextFormat nwTextFormat READ nwTextFormat WRITE setNwTextFormat NOTIFY nwTextFormatChanged)
    Q_PROPERTY(QFont nwFont READ nwFont WRITE setNwFont NOTIFY nwFontChanged)
    Q_PROPERTY(QColor nwColor READ nwColor WRITE setNwColor NOTIFY nwColorChanged)
    Q_PROPERTY(qreal nwLineHeight READ nwLineHeight WRITE setNwLineHeight NOTIFY nwLineHeightChanged)
    Q_PROPERTY(int nwPixelSize READ nwPixelSize WRITE setNwPixelSize NOTIFY nwPixelSizeChanged)

public:
    enum VerticalAlignment
    {
        VerticalTop,
        VerticalCentern,
        VerticalButtom
    };
    Q_ENUM(VerticalAlignment)

    enum TextFormat
    {
        PlainText,
        RichText,
        OriginalPlainText
    };
    Q_ENUM(TextFormat)

    explicit NWText(QQuickItem* parent = nullptr);
    ~NWText() override;

    void paint(QPainter* painter) override;

    QString nwText() const { return text_; }
    void setNwText(const QString& text);
    int nwX() const { return x_; }
    void setNwX(int x);
    qreal nwWidth() const { return width_; }
    void setNwWidth(qreal width);
    qreal nwHeight() const { return height_; }
    void setNwHeight(qreal height);
    VerticalAlignment nwVerticalAlignment() const { return verticalAlignment_; }
    void setNwVerticalAlignment(VerticalAlignment alignment);
    QString nwBackgroundColor() const { return backgroundColor_; }
    void setNwBackgroundColor(const QString& color);
    TextFormat nwTextFormat() const { return textFormat_; }
    void setNwTextFormat(TextFormat format);
    QFont nwFont() const { return font_; }
    void setNwFont(const QFont& font);
    QColor nwColor() const { return color_; }
    void setNwColor(const QColor& color);
    qreal nwLineHeight() const { return lineHeight_; }
    void setNwLineHeight(qreal lineHeight);
    int nwPixelSize() const { return pixelSize_; }
    void setNwPixelSize(int pixelSize);

signals:
    void nwTextChanged();
    void nwXChanged();
    void nwWidthChanged();
    void nwHeightChanged();
    void nwVerticalAlignmentChanged();
    void nwBackgroundColorChanged();
    void nwTextFormatChanged();
    void nwFontChanged();
    void nwColorChanged();
    void nwLineHeightChanged();
    void nwPixelSizeChanged();

private:
    void paintRichText(QPainter* painter, bool wrap);
    void paintOriginalPlainText(QPainter* painter);
    // Fills the item with the background colour, or clears it to transparent.
    bool fillBackground(QPainter* painter);

    QString text_;
    int x_ = 0;
    qreal width_ = 0;
    qreal height_ = 0;
    VerticalAlignment verticalAlignment_ = VerticalTop;
    QString backgroundColor_ = QStringLiteral("#00000000");
    TextFormat textFormat_ = RichText;
    QFont font_;
    QColor color_ = Qt::black;
    qreal lineHeight_ = 0;
    int pixelSize_ = 12;
};

} // namespace dorvo_preview
