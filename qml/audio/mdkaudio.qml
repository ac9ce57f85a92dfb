import QtQuick 2.15
import com.kest.audioPlayer 1.0

QMLAudio {
}
