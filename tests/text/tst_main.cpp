// Qt Quick Test runner for the text widget's QML and JavaScript: the
// library's resources and QML types are made available before the tests load.

#include "core/src/nwquickitem/textqmltypes.h"

#include <QQmlAbstractUrlInterceptor>
#include <QQmlEngine>
#include <QtQuickTest>

// The page-switch effect selector is replaced by a stand-in that records the
// calls the text makes through its interface.
class EffectStandIn : public QQmlAbstractUrlInterceptor
{
public:
    QUrl intercept(const QUrl& url, DataType) override
    {
        if (url.toString() == QLatin1String("qrc:/preview/qml/text/baseScheme/com/InOutEffect.qml"))
            return QUrl::fromLocalFile(QStringLiteral(QUICK_TEST_SOURCE_DIR "/stand-in/InOutEffect.qml"));
        return url;
    }
};

class TextTestSetup : public QObject
{
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        Q_INIT_RESOURCE(preview);
        dorvo_preview::registerTextQmlTypes();
    }
    void qmlEngineAvailable(QQmlEngine* engine) { engine->setUrlInterceptor(&standIn); }

private:
    EffectStandIn standIn;
};

QUICK_TEST_MAIN_WITH_SETUP(text, TextTestSetup)

#include "tst_main.moc"
