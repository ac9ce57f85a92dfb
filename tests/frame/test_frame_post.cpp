// Every posting export, called as a host calls it, posts its message number
// with the widget type and the record fields the catalogue gives, and the
// message reaches the listener operation named for it.

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/logcapture.h"
#include "support/recordinglistener.h"

#include <gtest/gtest.h>

#include <cstring>

using dorvo_preview::EngineHost;
using dorvo_preview::MsgParam;
using dorvo_preview::PlayChannel;

namespace {

const char* const kFirst = "first \xc3\xa4";
const char* const kSecond = "second";
const char* const kThird = "third";
const int64_t kLong = int64_t(1) << 40;

namespace Field {
enum : unsigned
{
    S1 = 1,
    S2 = 2,
    S3 = 4,
    B = 8,
    I = 16,
    L = 32,
    F = 64,
    FZ = 128
};
}

struct PostingRow
{
    const char* name;
    int (*call)();
    int number;
    int widgetType;
    unsigned fields;
    const char* op;
    bool plainRefusal;
};

const PostingRow kRows[] = {
    {"destroyWindow", [] { return destroyWindow(kFirst); }, 1, 0, Field::S1, "destroyWindow", false},
    {"exec", [] { return exec(); }, 2, 0, 0, "createQtExec", false},
    {"quit", [] { return quit(); }, 3, 0, 0, "quitQtExec", false},
    {"attachWindow", [] { return attachWindow(kFirst); }, 4, 0, Field::S1, "attachWindow", false},
    {"detachWindow", [] { return detachWindow(kFirst); }, 5, 0, Field::S1, "detachWindow", false},
    {"setWindowX", [] { return setWindowX(kFirst, 2.5f); }, 6, 0, Field::S1 | Field::F, "setWindowX", false},
    {"setWindowY", [] { return setWindowY(kFirst, 2.5f); }, 7, 0, Field::S1 | Field::F, "setWindowY", false},
    {"setWindowWidth", [] { return setWindowWidth(kFirst, 2.5f); }, 8, 0, Field::S1 | Field::F,
     "setWindowWidth", false},
    {"setWindowHeight", [] { return setWindowHeight(kFirst, 2.5f); }, 9, 0, Field::S1 | Field::F,
     "setWindowHeight", false},
    {"setWindowBackColor", [] { return setWindowBackColor(kFirst, kSecond); }, 10, 0, Field::S1 | Field::S2,
     "setWindowBackColor", false},
    {"setCanvasWidth", [] { return setCanvasWidth(kFirst, 2.5f); }, 11, 0, Field::S1 | Field::F,
     "setCanvasWidth", false},
    {"setCanvasHeight", [] { return setCanvasHeight(kFirst, 2.5f); }, 12, 0, Field::S1 | Field::F,
     "setCanvasHeight", false},
    {"setWindowScale", [] { return setWindowScale(kFirst, -123456); }, 13, 0, Field::S1 | Field::I,
     "setWindowScale", true},
    {"updateWindow", [] { return updateWindow(kFirst); }, 14, 0, Field::S1, "updateWindow", false},
    {"setAllWidgetBorderScale", [] { return setAllWidgetBorderScale(kFirst, -123456); }, 15, 0,
     Field::S1 | Field::I, "setAllWidgetBorderScale", true},
    {"addSystemFont", [] { return addSystemFont(kSecond); }, 16, 0, Field::S2, "addSystemFont", true},
    {"pausePreviewForce", [] { return pausePreviewForce(kFirst, true); }, 18, 0, Field::S1 | Field::B,
     "pausePreviewForce", false},
    {"pausePreview", [] { return pausePreview(kFirst); }, 19, 0, Field::S1, "pausePreview", false},
    {"resumePreview", [] { return resumePreview(kFirst); }, 20, 0, Field::S1, "resumePreview", false},
    {"destroyWidgetContainer", [] { return destroyWidgetContainer(kFirst); }, 21, 0, Field::S1,
     "destroyWidgetContainer", false},
    {"setEmptyContainerText", [] { return setEmptyContainerText(kFirst, kSecond); }, 22, 0,
     Field::S1 | Field::S2, "setEmptyContainerText", false},
    {"setEmptyContainerPixelSize", [] { return setEmptyContainerPixelSize(kFirst, -123456); }, 23, 0,
     Field::S1 | Field::I, "setEmptyContainerPixelSize", false},
    {"deleteWidgetFromContainer", [] { return deleteWidgetFromContainer(kFirst, kSecond); }, 24, 0,
     Field::S1 | Field::S2, "deleteWidgetFromContainer", false},
    {"startPreviewFromContainer", [] { return startPreviewFromContainer(kFirst); }, 25, 0, Field::S1,
     "startPreviewFromContainer", false},
    {"switchContainerIndex", [] { return switchContainerIndex(kFirst, kSecond); }, 26, 0,
     Field::S1 | Field::S2, "switchContainerIndex", false},
    {"widgetUpFromContainer", [] { return widgetUpFromContainer(kFirst, kSecond); }, 27, 0,
     Field::S1 | Field::S2, "widgetUpFromContainer", false},
    {"widgetDownFromContainer", [] { return widgetDownFromContainer(kFirst, kSecond); }, 28, 0,
     Field::S1 | Field::S2, "widgetDownFromContainer", false},
    {"widgetInsertFromContainer", [] { return widgetInsertFromContainer(kFirst, kSecond, -123456); }, 29, 0,
     Field::S1 | Field::S2 | Field::I, "widgetInsertFromContainer", false},
    {"addWidget", [] { return addWidget(kFirst, kSecond); }, 31, 0, Field::S1 | Field::S2, "addWidget",
     false},
    {"deleteWidget", [] { return deleteWidget(kFirst); }, 32, 0, Field::S1, "deleteWidget", false},
    {"setWidgetBorderType", [] { return setWidgetBorderType(kFirst, -123456, kSecond); }, 33, 0,
     Field::S1 | Field::S2 | Field::I, "setWidgetBorderType", false},
    {"setWidgetBorderWidth", [] { return setWidgetBorderWidth(kFirst, -123456); }, 34, 0,
     Field::S1 | Field::I, "setWidgetBorderWidth", false},
    {"setWidgetBorderBackColor", [] { return setWidgetBorderBackColor(kFirst, kSecond); }, 35, 0,
     Field::S1 | Field::S2, "setWidgetBorderBackColor", false},
    {"setWidgetBorderGraColor", [] { return setWidgetBorderGraColor(kFirst, kSecond); }, 36, 0,
     Field::S1 | Field::S2, "setWidgetBorderGraColor", false},
    {"setWidgetBorderScrollSpeed", [] { return setWidgetBorderScrollSpeed(kFirst, -123456); }, 37, 0,
     Field::S1 | Field::I, "setWidgetBorderScrollSpeed", false},
    {"setWidgetBorderDirection", [] { return setWidgetBorderDirection(kFirst, -123456); }, 38, 0,
     Field::S1 | Field::I, "setWidgetBorderDirection", false},
    {"setWidgetBackMusic", [] { return setWidgetBackMusic(kFirst, kSecond); }, 39, 0, Field::S1 | Field::S2,
     "setWidgetBackMusic", false},
    {"setWidgetBackMusicDuration", [] { return setWidgetBackMusicDuration(kFirst, -123456); }, 40, 0,
     Field::S1 | Field::I, "setWidgetBackMusicDuration", false},
    {"setWidgetDragEnable", [] { return setWidgetDragEnable(kFirst, true); }, 41, 0, Field::S1 | Field::B,
     "setWidgetDragEnable", false},
    {"setWidgetContainerEnable", [] { return setWidgetContainerEnable(kFirst, true); }, 42, 0,
     Field::S1 | Field::B, "setWidgetContainerEnable", false},
    {"grabWidgetImage", [] { return grabWidgetImage(kFirst, kSecond, true); }, 43, 0,
     Field::S1 | Field::S2 | Field::B, "grabWidgetImage", false},
    {"setWidgetVisible", [] { return setWidgetVisible(kFirst, true); }, 44, 0, Field::S1 | Field::B,
     "setWidgetVisible", false},
    {"setDisplayRatio", [] { return setDisplayRatio(kFirst, kSecond); }, 46, 13, Field::S1 | Field::S2,
     "setDisplayRatio", false},
    {"setWidgetX", [] { return setWidgetX(kFirst, 2.5f); }, 100, 0, Field::S1 | Field::F, "setWidgetX",
     false},
    {"setWidgetY", [] { return setWidgetY(kFirst, 2.5f); }, 101, 0, Field::S1 | Field::F, "setWidgetY",
     false},
    {"setWidgetZ", [] { return setWidgetZ(kFirst, -7); }, 102, 0, Field::S1 | Field::FZ, "setWidgetZ", false},
    {"setWidgetWidth", [] { return setWidgetWidth(kFirst, 2.5f); }, 103, 0, Field::S1 | Field::F,
     "setWidgetWidth", false},
    {"setWidgetHeight", [] { return setWidgetHeight(kFirst, 2.5f); }, 104, 0, Field::S1 | Field::F,
     "setWidgetHeight", false},
    {"selectWidgetBorder", [] { return selectWidgetBorder(kFirst, true); }, 105, 0, Field::S1 | Field::B,
     "selectWidget", false},
    {"setWidgetInterval", [] { return setWidgetInterval(kFirst, -123456); }, 106, 0, Field::S1 | Field::I,
     "setWidgetInterval", false},
    {"NText_setSource", [] { return NText_setSource(kFirst, kSecond); }, 45, 11, Field::S1 | Field::S2,
     "setWidgetSource", false},
    {"NImage_setSource", [] { return NImage_setSource(kFirst, kSecond); }, 45, 5, Field::S1 | Field::S2,
     "setWidgetSource", false},
    {"NVideo_setSource", [] { return NVideo_setSource(kFirst, kSecond); }, 45, 13, Field::S1 | Field::S2,
     "setWidgetSource", false},
    {"NTable_setSource", [] { return NTable_setSource(kFirst, kSecond); }, 45, 10, Field::S1 | Field::S2,
     "setWidgetSource", false},
    {"NBaseWeather_setSource", [] { return NBaseWeather_setSource(kFirst, kSecond); }, 45, 15,
     Field::S1 | Field::S2, "setWidgetSource", false},
    {"NSeniorWeather_setSource", [] { return NSeniorWeather_setSource(kFirst, kSecond); }, 45, 17,
     Field::S1 | Field::S2, "setWidgetSource", false},
    {"NTimer_setBackground", [] { return NTimer_setBackground(kFirst, kSecond); }, 47, 12,
     Field::S1 | Field::S2, "setWidgetBackgroundColor", false},
    {"NImage_setKeepOriginalScale", [] { return NImage_setKeepOriginalScale(kFirst, true); }, 48, 5,
     Field::S1 | Field::B, "NImage_setKeepOriginalScale", false},
    {"NImage_setEffectType", [] { return NImage_setEffectType(kFirst, -123456); }, 49, 5,
     Field::S1 | Field::I, "NImage_setEffectType", false},
    {"NImage_setEffectDuration", [] { return NImage_setEffectDuration(kFirst, -123456); }, 50, 5,
     Field::S1 | Field::I, "NImage_setEffectDuration", false},
    {"NImage_setScrollSpeed", [] { return NImage_setScrollSpeed(kFirst, -123456); }, 51, 5,
     Field::S1 | Field::I, "NImage_setScrollSpeed", false},
    {"NImage_setScrollDirection", [] { return NImage_setScrollDirection(kFirst, -123456); }, 52, 5,
     Field::S1 | Field::I, "NImage_setScrollDirection", false},
    {"NDigitalClock_setGMT", [] { return NDigitalClock_setGMT(kFirst, kSecond); }, 53, 3,
     Field::S1 | Field::S2, "NDigitalClock_setGMT", true},
    {"NDigitalClock_setZone", [] { return NDigitalClock_setZone(kFirst, kSecond); }, 54, 3,
     Field::S1 | Field::S2, "NDigitalClock_setZone", true},
    {"NDigitalClock_setOffset", [] { return NDigitalClock_setOffset(kFirst, -123456); }, 55, 3,
     Field::S1 | Field::I, "NDigitalClock_setOffset", true},
    {"NDigitalClock_setFontStyle", [] { return NDigitalClock_setFontStyle(kFirst, kSecond); }, 56, 3,
     Field::S1 | Field::S2, "NDigitalClock_setFontStyle", true},
    {"NDigitalClock_setWeekTemplates", [] { return NDigitalClock_setWeekTemplates(kFirst, kSecond); }, 57, 3,
     Field::S1 | Field::S2, "NDigitalClock_setWeekTemplates", true},
    {"NDigitalClock_setDataTimeRegular", [] { return NDigitalClock_setDataTimeRegular(kFirst, kSecond); }, 58,
     3, Field::S1 | Field::S2, "NDigitalClock_setDataTimeRegular", true},
    {"NDigitalClock_setSuffixTemplates", [] { return NDigitalClock_setSuffixTemplates(kFirst, kSecond); }, 59,
     3, Field::S1 | Field::S2, "NDigitalClock_setSuffixTemplates", true},
    {"NText_setDisplayType", [] { return NText_setDisplayType(kFirst, -123456); }, 60, 11,
     Field::S1 | Field::I, "NText_setDisplayType", false},
    {"NText_setPageSwitchTime", [] { return NText_setPageSwitchTime(kFirst, -123456); }, 61, 11,
     Field::S1 | Field::I, "NText_setPageSwitchTime", false},
    {"NText_setPageSwitchAnimationType", [] { return NText_setPageSwitchAnimationType(kFirst, -123456); }, 62,
     11, Field::S1 | Field::I, "NText_setPageSwitchAnimationType", false},
    {"NText_setPageSwitchAnimationTime", [] { return NText_setPageSwitchAnimationTime(kFirst, -123456); }, 63,
     11, Field::S1 | Field::I, "NText_setPageSwitchAnimationTime", false},
    {"NText_setBackgroundColor", [] { return NText_setBackgroundColor(kFirst, kSecond); }, 64, 11,
     Field::S1 | Field::S2, "NText_setBackgroundColor", false},
    {"NText_setScrollSpeed", [] { return NText_setScrollSpeed(kFirst, -123456); }, 65, 11,
     Field::S1 | Field::I, "NText_setScrollSpeed", false},
    {"NText_setScrollDirection", [] { return NText_setScrollDirection(kFirst, -123456); }, 66, 11,
     Field::S1 | Field::I, "NText_setScrollDirection", false},
    {"NText_setScrollIsEndToEnd", [] { return NText_setScrollIsEndToEnd(kFirst, true); }, 67, 11,
     Field::S1 | Field::B, "NText_setScrollIsEndToEnd", false},
    {"NText_setScrollHeadToTailSpacing", [] { return NText_setScrollHeadToTailSpacing(kFirst, -123456); }, 68,
     11, Field::S1 | Field::I, "NText_setScrollHeadToTailSpacing", false},
    {"NText_setVerticalOffset", [] { return NText_setVerticalOffset(kFirst, -123456); }, 69, 11,
     Field::S1 | Field::I, "NText_setVerticalOffset", true},
    {"NText_setTextJagged", [] { return NText_setTextJagged(kFirst, true); }, 70, 11, Field::S1 | Field::B,
     "NText_setTextJagged", true},
    {"NText_setSyncByMusic", [] { return NText_setSyncByMusic(kFirst, true); }, 71, 11, Field::S1 | Field::B,
     "NText_setSyncByMusic", true},
    {"NText_setBackMusicDuration", [] { return NText_setBackMusicDuration(kFirst, -123456); }, 72, 11,
     Field::S1 | Field::I, "NText_setBackMusicDuration", true},
    {"NImageGroup_setEffectType", [] { return NImageGroup_setEffectType(kFirst, -123456); }, 73, 6,
     Field::S1 | Field::I, "NImageGroup_setEffectType", true},
    {"NImageGroup_setPageDuration", [] { return NImageGroup_setPageDuration(kFirst, -123456); }, 74, 6,
     Field::S1 | Field::I, "NImageGroup_setPageDuration", true},
    {"NImageGroup_setEffectDuration", [] { return NImageGroup_setEffectDuration(kFirst, -123456); }, 75, 6,
     Field::S1 | Field::I, "NImageGroup_setEffectDuration", true},
    {"NImageGroup_setDisplayType", [] { return NImageGroup_setDisplayType(kFirst, -123456); }, 76, 6,
     Field::S1 | Field::I, "NImageGroup_setDisplayType", true},
    {"NImageGroup_setScrollSpeed", [] { return NImageGroup_setScrollSpeed(kFirst, -123456); }, 77, 6,
     Field::S1 | Field::I, "NImageGroup_setScrollSpeed", true},
    {"NImageGroup_setPictureList", [] { return NImageGroup_setPictureList(kFirst, kSecond); }, 78, 6,
     Field::S1 | Field::S2, "NImageGroup_setPictureList", true},
    {"NImageGroup_setHeaderPath", [] { return NImageGroup_setHeaderPath(kFirst, kSecond); }, 79, 6,
     Field::S1 | Field::S2, "NImageGroup_setHeaderPath", true},
    {"NCalendar_setLunarEnabled", [] { return NCalendar_setLunarEnabled(kFirst, true); }, 80, 16,
     Field::S1 | Field::B, "NCalendar_setLunarEnabled", false},
    {"NTarroAnalogClock_setLanguage", [] { return NTarroAnalogClock_setLanguage(kFirst, kSecond); }, 81, 14,
     Field::S1 | Field::S2, "NTarroAnalogClock_setLanguage", false},
    {"NBaseWeather_setTemperatureUnit", [] { return NBaseWeather_setTemperatureUnit(kFirst, -123456); }, 82,
     15, Field::S1 | Field::I, "NBaseWeather_setTemperatureUnit", false},
    {"NBaseWeather_setLocation", [] { return NBaseWeather_setLocation(kFirst, kSecond); }, 83, 15,
     Field::S1 | Field::S2, "NBaseWeather_setLocation", false},
    {"NBaseWeather_setRefreshCycle", [] { return NBaseWeather_setRefreshCycle(kFirst, -123456); }, 84, 15,
     Field::S1 | Field::I, "NBaseWeather_setRefreshCycle", false},
    {"NBaseWeather_setLanguage", [] { return NBaseWeather_setLanguage(kFirst, kSecond); }, 85, 15,
     Field::S1 | Field::S2, "NBaseWeather_setLanguage", false},
    {"NSeniorWeather_setStyle", [] { return NSeniorWeather_setStyle(kFirst, -123456); }, 86, 17,
     Field::S1 | Field::I, "NSeniorWeather_setStyle", false},
    {"NSeniorWeather_setLocation", [] { return NSeniorWeather_setLocation(kFirst, kSecond); }, 87, 17,
     Field::S1 | Field::S2, "NSeniorWeather_setLocation", false},
    {"NSeniorWeather_setRefreshCycle", [] { return NSeniorWeather_setRefreshCycle(kFirst, -123456); }, 88, 17,
     Field::S1 | Field::I, "NSeniorWeather_setRefreshCycle", false},
    {"NSeniorWeather_setRefreshTime", [] { return NSeniorWeather_setRefreshTime(kFirst, -123456); }, 89, 17,
     Field::S1 | Field::I, "NSeniorWeather_setRefreshTime", false},
    {"NSeniorWeather_setBaseInfoEnabled", [] { return NSeniorWeather_setBaseInfoEnabled(kFirst, true); }, 90,
     17, Field::S1 | Field::B, "NSeniorWeather_setBaseInfoEnabled", false},
    {"NSeniorWeather_setAirQualityEnabled", [] { return NSeniorWeather_setAirQualityEnabled(kFirst, true); },
     91, 17, Field::S1 | Field::B, "NSeniorWeather_setAirQualityEnabled", false},
    {"NSeniorWeather_setComfortEnabled", [] { return NSeniorWeather_setComfortEnabled(kFirst, true); }, 92,
     17, Field::S1 | Field::B, "NSeniorWeather_setComfortEnabled", false},
    {"NSeniorWeather_setSpeedAndPressureEnabled",
     [] { return NSeniorWeather_setSpeedAndPressureEnabled(kFirst, true); }, 93, 17, Field::S1 | Field::B,
     "NSeniorWeather_setSpeedAndPressureEnabled", false},
    {"NSeniorWeather_setSunriseAndSunsetEnabled",
     [] { return NSeniorWeather_setSunriseAndSunsetEnabled(kFirst, true); }, 94, 17, Field::S1 | Field::B,
     "NSeniorWeather_setSunriseAndSunsetEnabled", false},
    {"NSeniorWeather_setLivingIndexEnabled",
     [] { return NSeniorWeather_setLivingIndexEnabled(kFirst, true); }, 95, 17, Field::S1 | Field::B,
     "NSeniorWeather_setLivingIndexEnabled", false},
    {"NSeniorWeather_setTemperatureUnit", [] { return NSeniorWeather_setTemperatureUnit(kFirst, -123456); },
     96, 17, Field::S1 | Field::I, "NSeniorWeather_setTemperatureUnit", false},
    {"NSeniorWeather_setPageSwitchTime", [] { return NSeniorWeather_setPageSwitchTime(kFirst, -123456); }, 97,
     17, Field::S1 | Field::I, "NSeniorWeather_setPageSwitchTime", false},
    {"NSeniorWeather_setIsDomestic", [] { return NSeniorWeather_setIsDomestic(kFirst, true); }, 98, 17,
     Field::S1 | Field::B, "NSeniorWeather_setIsDomestic", false},
    {"NSeniorWeather_setLanguage", [] { return NSeniorWeather_setLanguage(kFirst, kSecond); }, 99, 17,
     Field::S1 | Field::S2, "NSeniorWeather_setLanguage", false},
    {"NRtMedia_setFontFamily", [] { return NRtMedia_setFontFamily(kFirst, kSecond); }, 107, 8,
     Field::S1 | Field::S2, "NRtMedia_setFontFamily", true},
    {"NRtMedia_setTextColor", [] { return NRtMedia_setTextColor(kFirst, kSecond); }, 108, 8,
     Field::S1 | Field::S2, "NRtMedia_setTextColor", false},
    {"NRtMedia_setBold", [] { return NRtMedia_setBold(kFirst, true); }, 109, 8, Field::S1 | Field::B,
     "NRtMedia_setBold", false},
    {"NRtMedia_setItalic", [] { return NRtMedia_setItalic(kFirst, true); }, 110, 8, Field::S1 | Field::B,
     "NRtMedia_setItalic", false},
    {"NRtMedia_setUnderLine", [] { return NRtMedia_setUnderLine(kFirst, true); }, 111, 8,
     Field::S1 | Field::B, "NRtMedia_setUnderLine", false},
    {"NRtMedia_setLabelPixelSize", [] { return NRtMedia_setLabelPixelSize(kFirst, -123456); }, 112, 8,
     Field::S1 | Field::I, "NRtMedia_setLabelPixelSize", false},
    {"NRtMedia_setValuePixelSize", [] { return NRtMedia_setValuePixelSize(kFirst, -123456); }, 113, 8,
     Field::S1 | Field::I, "NRtMedia_setValuePixelSize", false},
    {"NRtMedia_setUnitPixelSize", [] { return NRtMedia_setUnitPixelSize(kFirst, -123456); }, 114, 8,
     Field::S1 | Field::I, "NRtMedia_setUnitPixelSize", false},
    {"NRtMedia_setAlignStyles", [] { return NRtMedia_setAlignStyles(kFirst, -123456); }, 115, 8,
     Field::S1 | Field::I, "NRtMedia_setAlignStyles", false},
    {"NRtMedia_setDisplayStyle", [] { return NRtMedia_setDisplayStyle(kFirst, -123456); }, 116, 8,
     Field::S1 | Field::I, "NRtMedia_setDisplayStyle", false},
    {"NRtMedia_setScrollType", [] { return NRtMedia_setScrollType(kFirst, -123456); }, 117, 8,
     Field::S1 | Field::I, "NRtMedia_setScrollType", false},
    {"NRtMedia_setScrollSpeed", [] { return NRtMedia_setScrollSpeed(kFirst, -123456); }, 118, 8,
     Field::S1 | Field::I, "NRtMedia_setScrollSpeed", false},
    {"NRtMedia_setPlayTime", [] { return NRtMedia_setPlayTime(kFirst, -123456); }, 119, 8,
     Field::S1 | Field::I, "NRtMedia_setPlayTime", false},
    {"NRtMedia_setRegular", [] { return NRtMedia_setRegular(kFirst, kSecond); }, 120, 8,
     Field::S1 | Field::S2, "NRtMedia_setRegular", false},
    {"NRtMedia_setRegularContents", [] { return NRtMedia_setRegularContents(kFirst, kSecond); }, 121, 8,
     Field::S1 | Field::S2, "NRtMedia_setRegularContents", false},
    {"NRtMedia_setTemperatureUnit", [] { return NRtMedia_setTemperatureUnit(kFirst, -123456); }, 122, 8,
     Field::S1 | Field::I, "NRtMedia_setTemperatureUnit", false},
    {"NRtMedia_setTemperatureCompensation",
     [] { return NRtMedia_setTemperatureCompensation(kFirst, -123456); }, 123, 8, Field::S1 | Field::I,
     "NRtMedia_setTemperatureCompensation", false},
    {"NRtMedia_setPageSwitchAnimation", [] { return NRtMedia_setPageSwitchAnimation(kFirst, -123456); }, 124,
     8, Field::S1 | Field::I, "NRtMedia_setPageSwitchAnimation", false},
    {"NRtMedia_setPageSwitchAnimationTime",
     [] { return NRtMedia_setPageSwitchAnimationTime(kFirst, -123456); }, 125, 8, Field::S1 | Field::I,
     "NRtMedia_setPageSwitchAnimationTime", false},
    {"NRtMedia_setPageSwitchTime", [] { return NRtMedia_setPageSwitchTime(kFirst, -123456); }, 126, 8,
     Field::S1 | Field::I, "NRtMedia_setPageSwitchTime", false},
    {"NRtMedia_setUpdateDuration", [] { return NRtMedia_setUpdateDuration(kFirst, -123456); }, 127, 8,
     Field::S1 | Field::I, "NRtMedia_setUpdateDuration", false},
    {"NColorfulText_setColorfulEnable", [] { return NColorfulText_setColorfulEnable(kFirst, true); }, 128, 2,
     Field::S1 | Field::B, "NColorfulText_setColorfulEnable", true},
    {"NColorfulText_setColors", [] { return NColorfulText_setColors(kFirst, kSecond); }, 129, 2,
     Field::S1 | Field::S2, "NColorfulText_setColors", true},
    {"NColorfulText_setColorfulType", [] { return NColorfulText_setColorfulType(kFirst, -123456); }, 130, 2,
     Field::S1 | Field::I, "NColorfulText_setColorfulType", true},
    {"NColorfulText_setTexturePath", [] { return NColorfulText_setTexturePath(kFirst, kSecond); }, 131, 2,
     Field::S1 | Field::S2, "NColorfulText_setTexturePath", true},
    {"NColorfulText_setStroke", [] { return NColorfulText_setStroke(kFirst, true); }, 132, 2,
     Field::S1 | Field::B, "NColorfulText_setStroke", true},
    {"NColorfulText_setStrokeWidth", [] { return NColorfulText_setStrokeWidth(kFirst, -123456); }, 133, 2,
     Field::S1 | Field::I, "NColorfulText_setStrokeWidth", true},
    {"NColorfulText_setStrokeColor", [] { return NColorfulText_setStrokeColor(kFirst, kSecond); }, 134, 2,
     Field::S1 | Field::S2, "NColorfulText_setStrokeColor", true},
    {"NColorfulText_setDisplayType", [] { return NColorfulText_setDisplayType(kFirst, -123456); }, 135, 2,
     Field::S1 | Field::I, "NColorfulText_setDisplayType", true},
    {"NColorfulText_setBackgroundColor", [] { return NColorfulText_setBackgroundColor(kFirst, kSecond); },
     136, 2, Field::S1 | Field::S2, "NColorfulText_setBackgroundColor", true},
    {"NColorfulText_setBlink", [] { return NColorfulText_setBlink(kFirst, true); }, 137, 2,
     Field::S1 | Field::B, "NColorfulText_setBlink", true},
    {"NColorfulText_setYOffset", [] { return NColorfulText_setYOffset(kFirst, -123456); }, 138, 2,
     Field::S1 | Field::I, "NColorfulText_setYOffset", true},
    {"NColorfulText_setText", [] { return NColorfulText_setText(kFirst, kSecond); }, 139, 2,
     Field::S1 | Field::S2, "NColorfulText_setText", true},
    {"NColorfulText_setTextColor", [] { return NColorfulText_setTextColor(kFirst, kSecond); }, 140, 2,
     Field::S1 | Field::S2, "NColorfulText_setTextColor", true},
    {"NColorfulText_setFontSize", [] { return NColorfulText_setFontSize(kFirst, -123456); }, 141, 2,
     Field::S1 | Field::I, "NColorfulText_setFontSize", true},
    {"NColorfulText_setFontFamily", [] { return NColorfulText_setFontFamily(kFirst, kSecond); }, 142, 2,
     Field::S1 | Field::S2, "NColorfulText_setFontFamily", true},
    {"NColorfulText_setFontBold", [] { return NColorfulText_setFontBold(kFirst, true); }, 143, 2,
     Field::S1 | Field::B, "NColorfulText_setFontBold", true},
    {"NColorfulText_setFontItalic", [] { return NColorfulText_setFontItalic(kFirst, true); }, 144, 2,
     Field::S1 | Field::B, "NColorfulText_setFontItalic", true},
    {"NColorfulText_setFontUnderline", [] { return NColorfulText_setFontUnderline(kFirst, true); }, 145, 2,
     Field::S1 | Field::B, "NColorfulText_setFontUnderline", true},
    {"NColorfulText_setLineSpacing", [] { return NColorfulText_setLineSpacing(kFirst, -123456); }, 146, 2,
     Field::S1 | Field::I, "NColorfulText_setLineSpacing", true},
    {"NColorfulText_setLetterSpacing", [] { return NColorfulText_setLetterSpacing(kFirst, -123456); }, 147, 2,
     Field::S1 | Field::I, "NColorfulText_setLetterSpacing", true},
    {"NColorfulText_setVerticalAlignment", [] { return NColorfulText_setVerticalAlignment(kFirst, -123456); },
     148, 2, Field::S1 | Field::I, "NColorfulText_setVerticalAlignment", true},
    {"NColorfulText_setHorizontalAlignment",
     [] { return NColorfulText_setHorizontalAlignment(kFirst, -123456); }, 149, 2, Field::S1 | Field::I,
     "NColorfulText_setHorizontalAlignment", true},
    {"NColorfulText_setScrollType", [] { return NColorfulText_setScrollType(kFirst, -123456); }, 150, 2,
     Field::S1 | Field::I, "NColorfulText_setScrollType", true},
    {"NColorfulText_setScrollSpeed", [] { return NColorfulText_setScrollSpeed(kFirst, -123456); }, 151, 2,
     Field::S1 | Field::I, "NColorfulText_setScrollSpeed", true},
    {"NColorfulText_setScrollHeadTail", [] { return NColorfulText_setScrollHeadTail(kFirst, true); }, 152, 2,
     Field::S1 | Field::B, "NColorfulText_setScrollHeadTail", true},
    {"NColorfulText_setScrollDirection", [] { return NColorfulText_setScrollDirection(kFirst, -123456); },
     153, 2, Field::S1 | Field::I, "NColorfulText_setScrollDirection", true},
    {"NColorfulText_setScrollHeadTailSpacing",
     [] { return NColorfulText_setScrollHeadTailSpacing(kFirst, -123456); }, 154, 2, Field::S1 | Field::I,
     "NColorfulText_setScrollHeadTailSpacing", true},
    {"NAnalogClock_setTimeZone", [] { return NAnalogClock_setTimeZone(kFirst, kSecond); }, 155, 1,
     Field::S1 | Field::S2, "NAnalogClock_setTimeZone", false},
    {"NAnalogClock_setHourMarkerStyle", [] { return NAnalogClock_setHourMarkerStyle(kFirst, kSecond); }, 156,
     1, Field::S1 | Field::S2, "NAnalogClock_setHourMarkerStyle", false},
    {"NAnalogClock_setMinMarkerStyle", [] { return NAnalogClock_setMinMarkerStyle(kFirst, kSecond); }, 157, 1,
     Field::S1 | Field::S2, "NAnalogClock_setMinMarkerStyle", false},
    {"NAnalogClock_setHourMarkerColor", [] { return NAnalogClock_setHourMarkerColor(kFirst, kSecond); }, 158,
     1, Field::S1 | Field::S2, "NAnalogClock_setHourMarkerColor", false},
    {"NAnalogClock_setMinMarkerColor", [] { return NAnalogClock_setMinMarkerColor(kFirst, kSecond); }, 159, 1,
     Field::S1 | Field::S2, "NAnalogClock_setMinMarkerColor", false},
    {"NAnalogClock_setSecMarkerColor", [] { return NAnalogClock_setSecMarkerColor(kFirst, kSecond); }, 160, 1,
     Field::S1 | Field::S2, "NAnalogClock_setSecMarkerColor", false},
    {"NAnalogClock_setDateVisible", [] { return NAnalogClock_setDateVisible(kFirst, true); }, 161, 1,
     Field::S1 | Field::B, "NAnalogClock_setDateVisible", false},
    {"NAnalogClock_setDateFontStyle", [] { return NAnalogClock_setDateFontStyle(kFirst, kSecond); }, 162, 1,
     Field::S1 | Field::S2, "NAnalogClock_setDateFontStyle", false},
    {"NAnalogClock_setContent", [] { return NAnalogClock_setContent(kFirst, kSecond); }, 163, 1,
     Field::S1 | Field::S2, "NAnalogClock_setContent", false},
    {"NAnalogClock_setFontStyle", [] { return NAnalogClock_setFontStyle(kFirst, kSecond); }, 164, 1,
     Field::S1 | Field::S2, "NAnalogClock_setFontStyle", false},
    {"NTimer_setModel", [] { return NTimer_setModel(kFirst, -123456); }, 165, 12, Field::S1 | Field::I,
     "NTimer_setModel", false},
    {"NTimer_setDataTimeStyle", [] { return NTimer_setDataTimeStyle(kFirst, kSecond); }, 166, 12,
     Field::S1 | Field::S2, "NTimer_setDataTimeStyle", false},
    {"NTimer_setContent", [] { return NTimer_setContent(kFirst, kSecond); }, 167, 12, Field::S1 | Field::S2,
     "NTimer_setContent", false},
    {"NTimer_setDisplayStyle", [] { return NTimer_setDisplayStyle(kFirst, kSecond); }, 168, 12,
     Field::S1 | Field::S2, "NTimer_setDisplayStyle", false},
    {"NTimer_setFontStyle", [] { return NTimer_setFontStyle(kFirst, kSecond); }, 169, 12,
     Field::S1 | Field::S2, "NTimer_setFontStyle", false},
    {"NWeather_setCity", [] { return NWeather_setCity(kFirst, kSecond); }, 170, 18, Field::S1 | Field::S2,
     "NWeather_setCity", false},
    {"NWeather_setSharpened", [] { return NWeather_setSharpened(kFirst, -123456); }, 171, 18,
     Field::S1 | Field::I, "NWeather_setSharpened", false},
    {"NWeather_setDisplay", [] { return NWeather_setDisplay(kFirst, kSecond); }, 172, 18,
     Field::S1 | Field::S2, "NWeather_setDisplay", false},
    {"NWeather_setTmpUnit", [] { return NWeather_setTmpUnit(kFirst, kSecond); }, 173, 18,
     Field::S1 | Field::S2, "NWeather_setTmpUnit", false},
    {"NWeather_setTmpSymbol", [] { return NWeather_setTmpSymbol(kFirst, kSecond); }, 174, 18,
     Field::S1 | Field::S2, "NWeather_setTmpSymbol", false},
    {"NWeather_setCustomContent", [] { return NWeather_setCustomContent(kFirst, kSecond); }, 175, 18,
     Field::S1 | Field::S2, "NWeather_setCustomContent", false},
    {"NWeather_setDisplayStyle", [] { return NWeather_setDisplayStyle(kFirst, kSecond); }, 176, 18,
     Field::S1 | Field::S2, "NWeather_setDisplayStyle", false},
    {"NWeather_setFontStyle", [] { return NWeather_setFontStyle(kFirst, kSecond); }, 177, 18,
     Field::S1 | Field::S2, "NWeather_setFontStyle", false},
    {"NWeather_setUpdateDuration", [] { return NWeather_setUpdateDuration(kFirst, kLong); }, 178, 18,
     Field::S1 | Field::L, "NWeather_setUpdateDuration", false},
    {"NWeather_setLanguage", [] { return NWeather_setLanguage(kFirst, kSecond); }, 179, 18,
     Field::S1 | Field::S2, "NWeather_setLanguage", false},
};

// A channel in queued mode whose worker never starts: the test takes each
// message off the queue itself.
class FramePost : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto listener = std::make_unique<testsupport::RecordingListener>();
        recorder = listener.get();
        channel = std::make_shared<PlayChannel>(std::move(listener));
        channel->control()->setQueued(true);
        EngineHost::instance()->setPlayChannel("default", channel);
    }
    void SetUp() override
    {
        channel->control()->clear();
        recorder->reset();
    }

    static testsupport::RecordingListener* recorder;
    static std::shared_ptr<PlayChannel> channel;
};

testsupport::RecordingListener* FramePost::recorder = nullptr;
std::shared_ptr<PlayChannel> FramePost::channel;

TEST_F(FramePost, EveryPostingExportFillsTheRecordAsTheCatalogueSays)
{
    EXPECT_EQ(sizeof(kRows) / sizeof(kRows[0]), 182u);
    for (const PostingRow& row : kRows) {
        SCOPED_TRACE(row.name);
        recorder->reset();
        ASSERT_EQ(row.call(), 0);
        int32_t number = -2;
        MsgParam p;
        ASSERT_TRUE(channel->control()->peek(number, p));
        EXPECT_EQ(channel->control()->pending(), 1u);
        EXPECT_EQ(number, row.number);
        EXPECT_EQ(p.widgetType, row.widgetType);

        auto expectString = [](std::string* s, bool present, const char* value) {
            if (present) {
                ASSERT_NE(s, nullptr);
                EXPECT_EQ(*s, value);
            } else {
                EXPECT_EQ(s, nullptr);
            }
        };
        expectString(p.firstString, row.fields & Field::S1, kFirst);
        expectString(p.secondString, row.fields & Field::S2, kSecond);
        expectString(p.thirdString, row.fields & Field::S3, kThird);
        EXPECT_EQ(p.boolValue, (row.fields & Field::B) != 0);
        const int64_t expectedInt = (row.fields & Field::I) ? -123456 : (row.fields & Field::L) ? kLong : 0;
        EXPECT_EQ(p.intValue, expectedInt);
        const float expectedFloat = (row.fields & Field::F) ? 2.5f : (row.fields & Field::FZ) ? -7.0f : 0.0f;
        EXPECT_EQ(p.floatValue, expectedFloat);

        channel->control()->processOne();
        auto calls = recorder->calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].op, row.op);
    }
}

TEST_F(FramePost, HandlersReceiveTheFieldsInTheirOrder)
{
    struct Case
    {
        int (*call)();
        const char* op;
        const char* args;
    } cases[] = {
        {[] { return setWidgetZ("w", 3); }, "setWidgetZ", "w|3|"},
        {[] { return addSystemFont("/f.ttf"); }, "addSystemFont", "/f.ttf|"},
        {[] { return setWidgetBorderType("w", 2, "/b.png"); }, "setWidgetBorderType", "w|2|/b.png|"},
        {[] { return widgetInsertFromContainer("c", "w", 4); }, "widgetInsertFromContainer", "c|w|4|"},
        {[] { return grabWidgetImage("w", "/p.png", true); }, "grabWidgetImage", "w|/p.png|1|"},
        {[] { return NText_setSource("w", "{}"); }, "setWidgetSource", "11|w|{}|"},
        {[] { return NTimer_setBackground("w", "#ff000000"); }, "setWidgetBackgroundColor",
         "12|w|#ff000000|"},
        {[] { return setDisplayRatio("w", "16:9"); }, "setDisplayRatio", "13|w|16:9|"},
        {[] { return NWeather_setUpdateDuration("w", kLong); }, "NWeather_setUpdateDuration",
         "w|1099511627776|"},
        {[] { return createWidget(0, "c", "content") ? 0 : -1; }, "createWidget", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.op);
        recorder->reset();
        ASSERT_EQ(c.call(), 0);
        channel->control()->processOne();
        auto calls = recorder->calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].op, c.op);
        if (c.args) {
            EXPECT_EQ(calls[0].args, c.args);
        }
    }
}

TEST_F(FramePost, CreatingExportsStoreTheirIdentifiers)
{
    const char* window = createWindow();
    ASSERT_NE(window, nullptr);
    int32_t number = -2;
    MsgParam p;
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(*p.firstString, window);
    channel->control()->clear();

    const char* widget = createWidget(11, "container", "content");
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(number, 30);
    EXPECT_EQ(p.widgetType, 11);
    EXPECT_EQ(*p.firstString, widget);
    EXPECT_EQ(*p.secondString, "container");
    EXPECT_EQ(*p.thirdString, "content");
    channel->control()->clear();

    const char* container = createWidgetContainer(nullptr);
    ASSERT_NE(container, nullptr);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(number, 30);
    EXPECT_EQ(p.widgetType, 19);
    EXPECT_EQ(*p.firstString, container);
    EXPECT_EQ(*p.secondString, "");
    EXPECT_EQ(*p.thirdString, "");
}

TEST_F(FramePost, CreateWidgetAcceptsOnlyTypeCodesZeroToTwenty)
{
    auto sink = testsupport::captureLog();
    const size_t before = EngineHost::instance()->widgetIdCount();
    EXPECT_EQ(createWidget(21, "", ""), nullptr);
    EXPECT_EQ(createWidget(-1, "", ""), nullptr);
    EXPECT_EQ(createWidget(INT32_MIN, "", ""), nullptr);
    EXPECT_EQ(channel->control()->pending(), 0u);
    EXPECT_EQ(EngineHost::instance()->widgetIdCount(), before);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "cannot support this type 21 \n //"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "cannot support this type -1 \n //"), 1u);
    EXPECT_NE(createWidget(0, nullptr, nullptr), nullptr);
    EXPECT_NE(createWidget(20, nullptr, nullptr), nullptr);
    EXPECT_EQ(channel->control()->pending(), 2u);
}

TEST_F(FramePost, StringsAreCopiedByteForByte)
{
    // NULL becomes "", and odd bytes travel unchanged.
    ASSERT_EQ(setWindowBackColor(nullptr, nullptr), 0);
    int32_t number;
    MsgParam p;
    ASSERT_TRUE(channel->control()->peek(number, p));
    ASSERT_NE(p.firstString, nullptr);
    ASSERT_NE(p.secondString, nullptr);
    EXPECT_EQ(*p.firstString, "");
    EXPECT_EQ(*p.secondString, "");
    channel->control()->clear();

    const char invalidUtf8[] = "\xff\xfe\xc3(\x80 gbk:\xc4\xe3\xba\xc3";
    ASSERT_EQ(NText_setBackgroundColor(invalidUtf8, ""), 0);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(*p.firstString, std::string(invalidUtf8));
    channel->control()->clear();

    std::string big(10 * 1024 * 1024, 'x');
    for (size_t i = 0; i < big.size(); i += 4097)
        big[i] = static_cast<char>(0x80 + i % 100);
    ASSERT_EQ(NText_setSource("id", big.c_str()), 0);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(*p.secondString, big);
    // The caller's buffer may change at once: the record holds a copy.
    big[0] = 'y';
    EXPECT_NE(*p.secondString, big);
    channel->control()->processOne();
    EXPECT_EQ(recorder->calls().size(), 1u);
}

TEST_F(FramePost, NonPostingExportsPostNothing)
{
    EXPECT_EQ(NHtml_setPic("id", "/p.png"), 0);
    EXPECT_EQ(NRss_setPic(nullptr, nullptr), 0);
    EXPECT_EQ(NStreamMedia_setPic("id", "p"), 0);
    EXPECT_EQ(NHdmi_setPic("id", "p"), 0);
    EXPECT_EQ(NTable_getName("id"), nullptr);
    grabImage();
    EXPECT_EQ(channel->control()->pending(), 0u);
}

void onSelected(const char*) {}

TEST_F(FramePost, CallbackSettersStoreAtOnce)
{
    using dorvo_preview::CallbackKind;
    EXPECT_EQ(setOnWidgetSelected(&onSelected), 0);
    EXPECT_EQ(channel->callback(CallbackKind::WidgetSelected), &onSelected);
    EXPECT_EQ(setOnRectChanged(&onSelected), 0);
    EXPECT_EQ(setOnWidgetDoubleClicked(&onSelected), 0);
    EXPECT_EQ(setOnKeyChanged(&onSelected), 0);
    EXPECT_EQ(setFpsCallback(&onSelected), 0);
    EXPECT_EQ(setMouseWheelCallback(&onSelected), 0);
    EXPECT_EQ(channel->callback(CallbackKind::MouseWheel), &onSelected);
    EXPECT_EQ(setOnWidgetSelected(nullptr), 0);
    EXPECT_EQ(channel->callback(CallbackKind::WidgetSelected), nullptr);
    EXPECT_EQ(channel->control()->pending(), 0u);
}

} // namespace
