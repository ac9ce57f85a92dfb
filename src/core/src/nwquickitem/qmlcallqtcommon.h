#pragma once

#include <QFont>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

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

    // Clock and timer scenes (see ClockText). The wall clock of a zone now:
    // hour, minute, second, msec (into the second) and dayOfWeek (0 = Sunday).
    Q_INVOKABLE QVariantMap zoneClock(const QString& gmt, const QString& zone, int offsetHours) const;
    // The digital clock now: text (lines separated by "\n"), lines and msec.
    Q_INVOKABLE QVariantMap digitalClockText(const QString& regular, const QString& gmt, const QString& zone,
                                             int offsetHours, const QVariant& weekTemplates,
                                             const QVariant& suffixTemplates) const;
    // The analogue clock's date line now.
    Q_INVOKABLE QString analogClockDate(const QString& regular, const QString& gmt, const QString& zone,
                                        const QVariant& weekTemplates) const;
    // The timer's text now, from its metadata record (JSON text).
    Q_INVOKABLE QString countTimerText(const QString& metadata) const;
    // The day calendar now (LunarCalendar::dayView of the local date) with
    // msecsToMidnight, the time until the next local midnight.
    Q_INVOKABLE QVariantMap calendarDay() const;
    // The fixed analogue clock now: local hour and minute, UTC second, msec
    // and the AM/PM label of the language.
    Q_INVOKABLE QVariantMap tarroClock(const QString& language) const;

    // The family a font key of the program files stands for; empty when unknown.
    static QString fontFamilyFor(const QString& key);
    // The identifier getFightTimeId answers.
    static void setFightTimeId(const QString& id);
};

} // namespace dorvo_preview
