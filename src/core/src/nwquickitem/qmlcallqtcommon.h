#pragma once

#include <QFont>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace dorvo_preview {

// Platform services for the QML scenes (QML type QmlCallQtProvider of
// com.kest.qmlCallQtCommon). Several answer fixed values: the features they
// ask about do not exist in a preview.
class QmlCallQtCommon : public QObject
{
    Q_OBJECT
public:
    explicit QmlCallQtCommon(QObject* parent = nullptr);

    Q_INVOKABLE QString getFightTimeId() const;
    Q_INVOKABLE bool isSync() const;
    Q_INVOKABLE bool isOverLength() const;
    Q_INVOKABLE QString jsonToXml(const QString& paragraph, const QString& attrs, int width,
                                  int height) const;
    Q_INVOKABLE bool isDstZone(const QString& strZone) const;
    Q_INVOKABLE bool isFileExist(const QString& fileStr) const;
    Q_INVOKABLE QString initMouseRightContext() const;
    Q_INVOKABLE bool needUseVlc() const;
    Q_INVOKABLE bool deleteFiles(const QString& directoryPath, const QString& keyword) const;
    Q_INVOKABLE QPointF getWindowOffset() const;
    Q_INVOKABLE QString getMachineType() const;
    Q_INVOKABLE QString getFilePathByAllmediaPath(const QString& fileName,
                                                  const QStringList& mediaPath) const;
    Q_INVOKABLE QString getFontName(const QString& fontFileName) const;
    Q_INVOKABLE QRectF getTextRect(const QFont& font, const QString& str, int pixelSize) const;

    // The family a font key of the program files stands for; empty when unknown.
    static QString fontFamilyFor(const QString& key);
    // The identifier getFightTimeId answers.
    static void setFightTimeId(const QString& id);
};

} // namespace dorvo_preview
