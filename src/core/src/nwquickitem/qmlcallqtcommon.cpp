#include "qmlcallqtcommon.h"

#include "core/appcommon/counttimer.h"
#include "core/src/clocktext.h"
#include "core/src/lunarcalendar.h"
#include "core/src/tarroanalogclockwidget.h"

#include "logging/log.h"
#include "core/appcommon/jsonread.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>

namespace dorvo_preview {

namespace {

QMutex g_fightMutex;
QString g_fightTimeId;

const QHash<QString, QString>& fontAliases()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t{
            {"FZKTJW", "FZKai-Z03S"},
            {"FZFSJW", "FZFangSong-Z02S"},
            {"FZHTJW", "FZHei-B01S"},
            {"FZSSJW", "FZShuSong-Z01S"},
            {"AlibabaPuHuiTi", "Alibaba PuHuiTi"},
            {"Alibaba PuHuiTi", "Alibaba PuHuiTi"},
            {"Alibaba PuHuiTi 2.0", "Alibaba PuHuiTi 2.0"},
            {QString::fromUtf8("等线"), "DengXian"},
            {QString::fromUtf8("等线 Light"), "DengXian"},
            {QString::fromUtf8("方正粗黑宋简体"), "FZCuHeiSongS-B-GB"},
            {QString::fromUtf8("方正舒体"), "FZShuTi"},
            {QString::fromUtf8("方正姚体"), "FZYaoTi"},
            {QString::fromUtf8("仿宋"), "FangSong"},
            {QString::fromUtf8("黑体"), "SimHei"},
            {QString::fromUtf8("华文彩云"), "STCaiyun"},
            {QString::fromUtf8("华文仿宋"), "STFangsong"},
            {QString::fromUtf8("华文行楷"), "STXingkai"},
            {QString::fromUtf8("华文琥珀"), "STHupo"},
            {QString::fromUtf8("华文楷体"), "STKaiti"},
            {QString::fromUtf8("华文隶书"), "STLiti"},
            {QString::fromUtf8("华文宋体"), "STSong"},
            {QString::fromUtf8("华文细黑"), "STXihei"},
            {QString::fromUtf8("华文新魏"), "STXinwei"},
            {QString::fromUtf8("华文中宋"), "STZhongsong"},
            {QString::fromUtf8("楷体"), "KaiTi"},
            {QString::fromUtf8("隶书"), "LiSu"},
            {QString::fromUtf8("宋体"), "SimSun"},
            {"Microsoft YaHei", "Microsoft YaHei"},
            {QString::fromUtf8("微软雅黑 Light"), "Microsoft YaHei"},
            {QString::fromUtf8("新宋体"), "NSimSun"},
            {QString::fromUtf8("幼圆"), "YouYuan"},
            {"SimSun", "SimSun-ExtB"},
            {"STXihei", "STXihei"},
            {"KaiTi", "KaiTi_GB2312"},
            {"Noto Sans CJK SC", "Noto Sans CJK SC Medium"},
            {QString::fromUtf8("耐克365"), "Nike 365 SC"},
            {"Times_New_Roman", "Times New Roman"},
            {"Juventus Fans Regular", "Juventus Fans"},
        };
        for (const char* self :
             {"Helvetica", "Arial", "Lucida Sans Unicode", "Verdana", "Swoosh", "Nike Futura ND", "Tahoma",
              "Trebuchet MS", "Georgia", "Times New Roman", "Wingdings 2", "Calibri", "Gabriola",
              "FZKai-Z03S", "FZFangSong-Z02S", "FZHei-B01S", "FZShuSong-Z01S"})
            t.insert(QString::fromLatin1(self), QString::fromLatin1(self));
        return t;
    }();
    return table;
}

} // namespace

QmlCallQtCommon::QmlCallQtCommon(QObject* parent) : QObject(parent) {}

void QmlCallQtCommon::setFightTimeId(const QString& id)
{
    QMutexLocker lock(&g_fightMutex);
    g_fightTimeId = id;
}

QString QmlCallQtCommon::getFightTimeId() const
{
    QMutexLocker lock(&g_fightMutex);
    return g_fightTimeId;
}

bool QmlCallQtCommon::isSync() const
{
    return false;
}

bool QmlCallQtCommon::isOverLength() const
{
    return false;
}

QString QmlCallQtCommon::jsonToXml(const QString& paragraph, const QString& attrs, int width,
                                   int height) const
{
    // RSS pages are not laid out in a preview: one page holding the paragraph
    // text, so that a caller always gets the array it expects.
    Q_UNUSED(attrs);
    Q_UNUSED(width);
    Q_UNUSED(height);
    QJsonObject page;
    page.insert(QStringLiteral("htmltext"), paragraph.toHtmlEscaped());
    return QString::fromUtf8(QJsonDocument(QJsonArray{page}).toJson(QJsonDocument::Compact));
}

bool QmlCallQtCommon::isDstZone(const QString& strZone) const
{
    return ClockText::isDstZone(strZone, ClockText::nowUtcMs());
}

QVariantMap QmlCallQtCommon::zoneClock(const QString& gmt, const QString& zone, int offsetHours) const
{
    const QDateTime wall = ClockText::zoneTime(ClockText::nowUtcMs(), gmt, zone, offsetHours);
    const QTime time = wall.time();
    return {{QStringLiteral("hour"), time.hour()},
            {QStringLiteral("minute"), time.minute()},
            {QStringLiteral("second"), time.second()},
            {QStringLiteral("msec"), time.msec()},
            {QStringLiteral("dayOfWeek"), wall.date().dayOfWeek() % 7}};
}

QVariantMap QmlCallQtCommon::calendarDay() const
{
    const qint64 now = ClockText::nowUtcMs();
    QVariantMap day = LunarCalendar::dayView(QDateTime::fromMSecsSinceEpoch(now, Qt::LocalTime).date());
    day.insert(QStringLiteral("msecsToMidnight"), LunarCalendar::msecsToMidnight(now));
    return day;
}

QVariantMap QmlCallQtCommon::tarroClock(const QString& language) const
{
    const qint64 now = ClockText::nowUtcMs();
    const QTime local = QDateTime::fromMSecsSinceEpoch(now, Qt::LocalTime).time();
    const QTime utc = QDateTime::fromMSecsSinceEpoch(now, Qt::UTC).time();
    return {{QStringLiteral("hour"), local.hour()},
            {QStringLiteral("minute"), local.minute()},
            {QStringLiteral("second"), utc.second()},
            {QStringLiteral("msec"), utc.msec()},
            {QStringLiteral("meridiem"), TarroAnalogClockWidget::meridiem(language, local.hour())}};
}

QVariantMap QmlCallQtCommon::digitalClockText(const QString& regular, const QString& gmt, const QString& zone,
                                              int offsetHours, const QVariant& weekTemplates,
                                              const QVariant& suffixTemplates) const
{
    const QDateTime wall = ClockText::zoneTime(ClockText::nowUtcMs(), gmt, zone, offsetHours);
    int lines = 1;
    const QString text = ClockText::digitalText(regular, wall, ClockText::nameList(weekTemplates),
                                                ClockText::nameList(suffixTemplates), &lines);
    return {{QStringLiteral("text"), text},
            {QStringLiteral("lines"), lines},
            {QStringLiteral("msec"), wall.time().msec()}};
}

QString QmlCallQtCommon::analogClockDate(const QString& regular, const QString& gmt, const QString& zone,
                                         const QVariant& weekTemplates) const
{
    const QDateTime wall = ClockText::zoneTime(ClockText::nowUtcMs(), gmt, zone, 0);
    return ClockText::analogDate(regular, wall, ClockText::nameList(weekTemplates));
}

QString QmlCallQtCommon::countTimerText(const QString& metadata) const
{
    ns::CountTimer timer;
    const nlohmann::json j = ns::jsonread::parse(metadata.toStdString());
    if (j.is_object())
        ns::from_json(j, timer);
    return ClockText::countText(timer, ClockText::nowUtcMs());
}

bool QmlCallQtCommon::isFileExist(const QString& fileStr) const
{
    return !fileStr.isEmpty() && QFileInfo::exists(fileStr);
}

QString QmlCallQtCommon::initMouseRightContext() const
{
    return QString();
}

bool QmlCallQtCommon::needUseVlc() const
{
    return false;
}

bool QmlCallQtCommon::deleteFiles(const QString& directoryPath, const QString& keyword) const
{
    LOG_D("QmlCallQtCommon::deleteFiles directoryPath = %s, keyword = %s", directoryPath.toUtf8().constData(),
          keyword.toUtf8().constData());
    QDir dir(directoryPath);
    if (directoryPath.isEmpty() || !dir.exists()) {
        LOG_E("Directory does not exist: %s", directoryPath.toUtf8().constData());
        return false;
    }
    if (keyword.isEmpty()) {
        // Every name contains the empty text; that would empty the folder.
        LOG_E("QmlCallQtCommon::deleteFiles empty keyword, nothing deleted");
        return false;
    }
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!info.fileName().contains(keyword))
            continue;
        const QByteArray path = info.absoluteFilePath().toUtf8();
        if (QFile::remove(info.absoluteFilePath()))
            LOG_D("Deleted file: %s", path.constData());
        else
            LOG_E("Failed to delete file: %s", path.constData());
    }
    return true;
}

QPointF QmlCallQtCommon::getWindowOffset() const
{
    return QPointF(0, 0);
}

QString QmlCallQtCommon::getMachineType() const
{
    return QString();
}

QString QmlCallQtCommon::getFilePathByAllmediaPath(const QString& fileName,
                                                   const QStringList& mediaPath) const
{
    LOG_D("QmlCallQtCommon::mediaPath %s", mediaPath.join(QLatin1Char(',')).toUtf8().constData());
    if (fileName.isEmpty())
        return QString();
    const QString name = QFileInfo(fileName).fileName();
    for (const QString& folder : mediaPath) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

QString QmlCallQtCommon::fontFamilyFor(const QString& key)
{
    return fontAliases().value(key);
}

QString QmlCallQtCommon::getFontName(const QString& fontFileName) const
{
    return fontFamilyFor(fontFileName);
}

QRectF QmlCallQtCommon::getTextRect(const QFont& font, const QString& str, int pixelSize) const
{
    QFont sized(font);
    if (pixelSize > 0)
        sized.setPixelSize(pixelSize);
    return QFontMetricsF(sized).boundingRect(str);
}

} // namespace dorvo_preview
