#pragma once

// The table (record type "TABLE", scene text/Table.qml): a grid of cells that
// stands still, scrolls upwards or is shown page by page. The record's
// metadata is the host's table content as JSON text; the scene gets the
// drawing plan read from it (TablePlan) and only draws and moves it.

#include "metadatawidget.h"

namespace dorvo_preview {

class TableWidget : public MetadataWidget
{
    Q_OBJECT
public:
    TableWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    // The table content (the record's metadata text).
    std::string content();

public Q_SLOTS:
    // The table content; text that is not a JSON object with a "content"
    // object is refused and the shown table stays.
    void setSource(std::string source);
    void setBackground(std::string color);

protected:
    void prepareMetadata(nlohmann::json& metadata) override;
    void sceneCreated(QQuickItem* scene) override;
};

} // namespace dorvo_preview
