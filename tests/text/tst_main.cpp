// Qt Quick Test runner for the text widget's QML and JavaScript: the
// library's resources and QML types are made available before the tests load.

#include "core/src/nwquickitem/textqmltypes.h"

#include <QQmlEngine>
#include <QtQuickTest>

static void initPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

class TextTestSetup : public QObject
{
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        initPreviewResources();
        dorvo_preview::registerTextQmlTypes();
    }
    void qmlEngineAvailable(QQmlEngine*) {}
};

QUICK_TEST_MAIN_WITH_SETUP(text, TextTestSetup)

#include "tst_main.moc"
