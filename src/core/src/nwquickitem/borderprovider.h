#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

namespace dorvo_preview {

// Paints the four strip pictures of a widget border (a repeated cross,
// circle, triangle or square, a two-colour band, or the user's picture) and
// writes them as PNG files for the border scene (border/border.qml). A
// provider keeps one set of files at a time: painting again replaces them,
// and the provider's end deletes them. All files live in one temporary
// folder of the engine, removed when the Qt application quits.
class BorderProvider : public QObject
{
    Q_OBJECT
public:
    explicit BorderProvider(QObject* parent = nullptr);
    ~BorderProvider() override;

    // The four strips: top and left repeat the figure (or the user's
    // picture), bottom and right are them turned by 180 degrees.
    struct Strips
    {
        QImage top, bottom, left, right;
    };

    // Paints the strips of a description (style, backColor, graColor,
    // imagePath) at the thickness given, rowLength and columnLength long
    // (whole figures when they are multiples of thickness + 2 x backWidth);
    // false with the reason when there is nothing to paint (style 0, unknown
    // style, unreadable picture, bad size).
    static bool paint(const QString& description, int rowLength, int columnLength, int backWidth,
                      int thickness, Strips& out, QString* why = nullptr);

    // Paints the description at the drawn thickness (canvas pixels) into
    // strips of the lengths given and writes the four files, replacing the
    // provider's previous set. The thickness is taken from the description's
    // width when it is below 1.
    Q_INVOKABLE bool setModel(const QString& borderStr, double rowLength, double columnLength,
                              double backWidth, double thickness = 0);
    Q_INVOKABLE QString getImagePathTop() const;
    Q_INVOKABLE QString getImagePathBottom() const;
    Q_INVOKABLE QString getImagePathLeft() const;
    Q_INVOKABLE QString getImagePathRight() const;

    // The engine's folder of border pictures (made on first use).
    static QString imageDir();

private:
    void removeFiles();

    QStringList m_paths;
};

// Registers BorderProvider for QML (com.kest.borderProvider 1.0).
void registerBorderQmlTypes();

} // namespace dorvo_preview
