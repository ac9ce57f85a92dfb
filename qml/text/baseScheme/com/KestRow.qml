import QtQuick 2.15

// The row of marquee copies; moved as one.
Row {
    spacing: 0
}
