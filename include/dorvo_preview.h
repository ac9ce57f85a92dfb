/*
 * dorvo_preview.h - the interface of the signage program preview library.
 *
 * A host (a content editor) loads libdorvo_preview.so, starts the engine, and
 * describes a program call by call: preview windows, widgets and widget
 * containers. The library renders the program live in a Qt Quick scene and
 * reports the user's interaction through callbacks.
 *
 * Rules that hold for every function below:
 *  - Every call returns at once. A posting call queues its work for the
 *    engine's Qt thread and returns 0; it returns -1 (or NULL) only when the
 *    engine has not been started with init() or initPreview(), and then logs
 *    "<name>() error" (a few families log "<name> error").
 *  - Strings are read-only, zero-terminated, and copied before the call
 *    returns. A NULL string counts as "". No encoding conversion happens.
 *  - Identifiers returned by the creating calls are 36-character lower-case
 *    UUID texts owned by the library; they stay valid for the life of the
 *    library. Never free them.
 *  - Any host thread may call any function. Calls made from one thread are
 *    carried out in the order they were made, with one exception: the
 *    N<Family>_createWidget calls are carried out ahead of earlier widget and
 *    container calls still waiting (none of them can name the new widget), but
 *    after earlier window and engine calls; they return once the widget exists.
 *  - Callbacks are called on the engine's Qt thread, synchronously; the text
 *    they get is valid only during the call. Do not block in a callback.
 *  - Unknown identifiers and refused values are logged and change nothing.
 *  - Colours are "#RRGGBB" or "#AARRGGBB".
 */
#ifndef DORVO_PREVIEW_H
#define DORVO_PREVIEW_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#define DORVO_PREVIEW_EXTERN_C extern "C"
#else
#define DORVO_PREVIEW_EXTERN_C
#endif

#if defined(DORVO_PREVIEW_BUILD)
#define DORVO_PREVIEW_VISIBLE __attribute__((visibility("default")))
#else
#define DORVO_PREVIEW_VISIBLE
#endif

#define DORVO_PREVIEW_API DORVO_PREVIEW_EXTERN_C DORVO_PREVIEW_VISIBLE

/* A host callback: receives one text, valid only during the call. */
typedef void (*DorvoCallback)(const char* text);

/* Widget type codes for createWidget. */
enum DorvoWidgetType
{
    DORVO_WIDGET_NONE = 0,
    DORVO_WIDGET_ANALOG_CLOCK = 1,
    DORVO_WIDGET_COLORFUL_TEXT = 2,
    DORVO_WIDGET_DIGITAL_CLOCK = 3,
    DORVO_WIDGET_HTML = 4,
    DORVO_WIDGET_IMAGE = 5,
    DORVO_WIDGET_IMAGE_GROUP = 6,
    DORVO_WIDGET_RSS = 7,
    DORVO_WIDGET_RT_MEDIA = 8,
    DORVO_WIDGET_STREAM_MEDIA = 9,
    DORVO_WIDGET_TABLE = 10,
    DORVO_WIDGET_TEXT = 11,
    DORVO_WIDGET_TIMER = 12,
    DORVO_WIDGET_VIDEO = 13,
    DORVO_WIDGET_TARRO_ANALOG_CLOCK = 14,
    DORVO_WIDGET_BASE_WEATHER = 15,
    DORVO_WIDGET_CALENDAR = 16,
    DORVO_WIDGET_SENIOR_WEATHER = 17,
    DORVO_WIDGET_WEATHER = 18,
    DORVO_WIDGET_CONTAINER = 19,
    DORVO_WIDGET_HDMI = 20
};

/* ---- Start-up, shutdown and logging ---- */

/* Starts the engine in direct mode: each later call runs on the calling
 * thread, and exec() blocks its caller in the Qt event loop until quit().
 * Each call replaces the engine's channel. Returns 0. */
DORVO_PREVIEW_API int init(void);
/* Starts the engine in queued mode: calls are queued and carried out in order
 * on the engine's own thread. hostWindow is the native (X11) window that
 * preview windows are embedded in, or NULL for top-level windows; moduleHandle
 * is ignored on this platform. Later calls only update the handles.
 * Returns false in every case. */
DORVO_PREVIEW_API bool initPreview(void* moduleHandle, void* hostWindow);
/* First call only: makes path (backslashes become slashes) the current
 * directory and the Qt library path, starts the Qt event loop (as exec()),
 * and sends the log to <path>/log/preview/preview.log. Later calls are
 * ignored. */
DORVO_PREVIEW_API void setRunningPath(const char* path);
/* Does nothing. Returns 0. */
DORVO_PREVIEW_API int unInit(void);
/* Sends the log to standard output from now on. Returns 0. */
DORVO_PREVIEW_API int openConsoleLog(void);

/* ---- Host callbacks ----
 * Each stores the callback at once (NULL switches it off; a later call
 * replaces an earlier one). Returns 0, or -1 before init/initPreview. */

/* The id of a widget that lost the selection as "" and the newly selected id. */
DORVO_PREVIEW_API int setOnWidgetSelected(DorvoCallback callback);
/* A widget's rectangle as JSON whenever it changes. */
DORVO_PREVIEW_API int setOnRectChanged(DorvoCallback callback);
/* The id of a double-clicked widget. */
DORVO_PREVIEW_API int setOnWidgetDoubleClicked(DorvoCallback callback);
/* Key names ("Delete", "Return", "Ctrl+C", ...). */
DORVO_PREVIEW_API int setOnKeyChanged(DorvoCallback callback);
/* The frame rate, once a second when it changes. */
DORVO_PREVIEW_API int setFpsCallback(DorvoCallback callback);
/* "up" or "down" for Ctrl+wheel turns. */
DORVO_PREVIEW_API int setMouseWheelCallback(DorvoCallback callback);

/* ---- Preview windows and the engine's event loop ---- */

/* Creates a preview window. Returns its identifier, or NULL when the engine is not started. */
DORVO_PREVIEW_API const char* createWindow(void);
/* Posts message 1. Destroys the window. */
DORVO_PREVIEW_API int destroyWindow(const char* windowId);
/* Posts message 2. Starts the Qt event loop (queued mode: on the engine thread; direct mode: blocks the
 * caller until quit). */
DORVO_PREVIEW_API int exec(void);
/* Posts message 3. Stops the message timer and quits the Qt event loop. Later messages stay queued. */
DORVO_PREVIEW_API int quit(void);
/* Posts message 4. Shows the window inside the host window. */
DORVO_PREVIEW_API int attachWindow(const char* windowId);
/* Posts message 5. Takes the window out of the host window. */
DORVO_PREVIEW_API int detachWindow(const char* windowId);
/* Posts message 6. View position in the host window, in pixels. */
DORVO_PREVIEW_API int setWindowX(const char* windowId, float x);
/* Posts message 7. */
DORVO_PREVIEW_API int setWindowY(const char* windowId, float y);
/* Posts message 8. View size in the host window, in pixels. */
DORVO_PREVIEW_API int setWindowWidth(const char* windowId, float width);
/* Posts message 9. */
DORVO_PREVIEW_API int setWindowHeight(const char* windowId, float height);
/* Posts message 10. Background colour around the canvas ("#RRGGBB" or "#AARRGGBB"). */
DORVO_PREVIEW_API int setWindowBackColor(const char* windowId, const char* color);
/* Posts message 11. Canvas (program) size in pixels. */
DORVO_PREVIEW_API int setCanvasWidth(const char* windowId, float width);
/* Posts message 12. */
DORVO_PREVIEW_API int setCanvasHeight(const char* windowId, float height);
/* Posts message 13. Zoom in percent (100 = one canvas pixel per screen pixel). */
DORVO_PREVIEW_API int setWindowScale(const char* windowId, int percent);
/* Posts message 14. Restarts every widget of the window from its beginning. */
DORVO_PREVIEW_API int updateWindow(const char* windowId);
/* Posts message 15. Scales the selection frame of every widget; the window id is only logged. */
DORVO_PREVIEW_API int setAllWidgetBorderScale(const char* windowId, int percent);
/* Posts message 16. Adds a font file to the attached window. The path travels as the second string. */
DORVO_PREVIEW_API int addSystemFont(const char* fontPath);
/* Posts message 18. force true pauses every widget until pausePreviewForce(id, false). */
DORVO_PREVIEW_API int pausePreviewForce(const char* windowId, bool force);
/* Posts message 19. Pauses the window's widgets. */
DORVO_PREVIEW_API int pausePreview(const char* windowId);
/* Posts message 20. Resumes the window's widgets. */
DORVO_PREVIEW_API int resumePreview(const char* windowId);
/* Does nothing. */
DORVO_PREVIEW_API void grabImage(void);

/* ---- Widgets of every kind, and widget containers ---- */

/* Posts message 21. Removes and deletes every widget of the container; the container stays. */
DORVO_PREVIEW_API int destroyWidgetContainer(const char* containerId);
/* Posts message 22. Text shown while the container holds no widget. */
DORVO_PREVIEW_API int setEmptyContainerText(const char* containerId, const char* text);
/* Posts message 23. */
DORVO_PREVIEW_API int setEmptyContainerPixelSize(const char* containerId, int pixelSize);
/* Posts message 24. */
DORVO_PREVIEW_API int deleteWidgetFromContainer(const char* containerId, const char* widgetId);
/* Posts message 25. Plays the container's widgets from the first. */
DORVO_PREVIEW_API int startPreviewFromContainer(const char* containerId);
/* Posts message 26. Shows the given member widget. */
DORVO_PREVIEW_API int switchContainerIndex(const char* containerId, const char* widgetId);
/* Posts message 27. Moves the member one place earlier in play order. */
DORVO_PREVIEW_API int widgetUpFromContainer(const char* containerId, const char* widgetId);
/* Posts message 28. Moves the member one place later in play order. */
DORVO_PREVIEW_API int widgetDownFromContainer(const char* containerId, const char* widgetId);
/* Posts message 29. Moves the member to the given play index. */
DORVO_PREVIEW_API int widgetInsertFromContainer(const char* containerId, const char* widgetId, int index);
/* Creates a widget of a type code 0..20 (see DorvoWidgetType). Returns its identifier, or NULL when refused.
 */
DORVO_PREVIEW_API const char* createWidget(int type, const char* containerId, const char* defaultContent);
/* Creates a widget container. Returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* createWidgetContainer(const char* defaultContent);
/* Posts message 31. Puts the widget on a window or into a container. */
DORVO_PREVIEW_API int addWidget(const char* targetId, const char* widgetId);
/* Posts message 32. Deletes the widget. */
DORVO_PREVIEW_API int deleteWidget(const char* widgetId);
/* Posts message 33. Border kind and, for picture borders, the picture path. */
DORVO_PREVIEW_API int setWidgetBorderType(const char* widgetId, int type, const char* borderPath);
/* Posts message 34. */
DORVO_PREVIEW_API int setWidgetBorderWidth(const char* widgetId, int width);
/* Posts message 35. */
DORVO_PREVIEW_API int setWidgetBorderBackColor(const char* widgetId, const char* color);
/* Posts message 36. */
DORVO_PREVIEW_API int setWidgetBorderGraColor(const char* widgetId, const char* colors);
/* Posts message 37. */
DORVO_PREVIEW_API int setWidgetBorderScrollSpeed(const char* widgetId, int speed);
/* Posts message 38. */
DORVO_PREVIEW_API int setWidgetBorderDirection(const char* widgetId, int direction);
/* Posts message 39. Background music of the widget, as JSON. */
DORVO_PREVIEW_API int setWidgetBackMusic(const char* widgetId, const char* musicInfo);
/* Posts message 40. */
DORVO_PREVIEW_API int setWidgetBackMusicDuration(const char* widgetId, int duration);
/* Posts message 41. Allows or forbids moving and resizing with the mouse. */
DORVO_PREVIEW_API int setWidgetDragEnable(const char* widgetId, bool enable);
/* Posts message 42. */
DORVO_PREVIEW_API int setWidgetContainerEnable(const char* containerId, bool enable);
/* Posts message 43. Writes a picture of the widget to path (text kinds only). */
DORVO_PREVIEW_API int grabWidgetImage(const char* widgetId, const char* path, bool autoUpdate);
/* Posts message 44. */
DORVO_PREVIEW_API int setWidgetVisible(const char* widgetId, bool visible);
/* Posts message 46. Video display ratio. */
DORVO_PREVIEW_API int setDisplayRatio(const char* widgetId, const char* ratio);
/* Posts message 100. Widget geometry in canvas pixels. */
DORVO_PREVIEW_API int setWidgetX(const char* widgetId, float x);
/* Posts message 101. */
DORVO_PREVIEW_API int setWidgetY(const char* widgetId, float y);
/* Posts message 102. Stacking order; travels as a float. */
DORVO_PREVIEW_API int setWidgetZ(const char* widgetId, int z);
/* Posts message 103. */
DORVO_PREVIEW_API int setWidgetWidth(const char* widgetId, float width);
/* Posts message 104. */
DORVO_PREVIEW_API int setWidgetHeight(const char* widgetId, float height);
/* Posts message 105. Selects or deselects the widget without notifying the host. */
DORVO_PREVIEW_API int selectWidgetBorder(const char* widgetId, bool selected);
/* Posts message 106. Play length of the widget in a container, in seconds. */
DORVO_PREVIEW_API int setWidgetInterval(const char* widgetId, int seconds);

/* ---- Analogue clock (NAnalogClock) ---- */

/* Creates a widget of this family (type code 1) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NAnalogClock_createWidget(void);
/* Posts message 155. */
DORVO_PREVIEW_API int NAnalogClock_setTimeZone(const char* widgetId, const char* value);
/* Posts message 156. */
DORVO_PREVIEW_API int NAnalogClock_setHourMarkerStyle(const char* widgetId, const char* value);
/* Posts message 157. */
DORVO_PREVIEW_API int NAnalogClock_setMinMarkerStyle(const char* widgetId, const char* value);
/* Posts message 158. */
DORVO_PREVIEW_API int NAnalogClock_setHourMarkerColor(const char* widgetId, const char* value);
/* Posts message 159. */
DORVO_PREVIEW_API int NAnalogClock_setMinMarkerColor(const char* widgetId, const char* value);
/* Posts message 160. */
DORVO_PREVIEW_API int NAnalogClock_setSecMarkerColor(const char* widgetId, const char* value);
/* Posts message 161. */
DORVO_PREVIEW_API int NAnalogClock_setDateVisible(const char* widgetId, bool value);
/* Posts message 162. */
DORVO_PREVIEW_API int NAnalogClock_setDateFontStyle(const char* widgetId, const char* value);
/* Posts message 163. */
DORVO_PREVIEW_API int NAnalogClock_setContent(const char* widgetId, const char* value);
/* Posts message 164. */
DORVO_PREVIEW_API int NAnalogClock_setFontStyle(const char* widgetId, const char* value);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NAnalogClock_setName(const char* widgetId, const char* name);

/* ---- Colourful text (NColorfulText) ---- */

/* Creates a widget of this family (type code 2) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NColorfulText_createWidget(void);
/* Posts message 128. */
DORVO_PREVIEW_API int NColorfulText_setColorfulEnable(const char* widgetId, bool value);
/* Posts message 129. */
DORVO_PREVIEW_API int NColorfulText_setColors(const char* widgetId, const char* value);
/* Posts message 130. */
DORVO_PREVIEW_API int NColorfulText_setColorfulType(const char* widgetId, int value);
/* Posts message 131. */
DORVO_PREVIEW_API int NColorfulText_setTexturePath(const char* widgetId, const char* value);
/* Posts message 132. */
DORVO_PREVIEW_API int NColorfulText_setStroke(const char* widgetId, bool value);
/* Posts message 133. */
DORVO_PREVIEW_API int NColorfulText_setStrokeWidth(const char* widgetId, int value);
/* Posts message 134. */
DORVO_PREVIEW_API int NColorfulText_setStrokeColor(const char* widgetId, const char* value);
/* Posts message 135. */
DORVO_PREVIEW_API int NColorfulText_setDisplayType(const char* widgetId, int value);
/* Posts message 136. */
DORVO_PREVIEW_API int NColorfulText_setBackgroundColor(const char* widgetId, const char* value);
/* Posts message 137. */
DORVO_PREVIEW_API int NColorfulText_setBlink(const char* widgetId, bool value);
/* Posts message 138. */
DORVO_PREVIEW_API int NColorfulText_setYOffset(const char* widgetId, int value);
/* Posts message 139. */
DORVO_PREVIEW_API int NColorfulText_setText(const char* widgetId, const char* value);
/* Posts message 140. */
DORVO_PREVIEW_API int NColorfulText_setTextColor(const char* widgetId, const char* value);
/* Posts message 141. */
DORVO_PREVIEW_API int NColorfulText_setFontSize(const char* widgetId, int value);
/* Posts message 142. */
DORVO_PREVIEW_API int NColorfulText_setFontFamily(const char* widgetId, const char* value);
/* Posts message 143. */
DORVO_PREVIEW_API int NColorfulText_setFontBold(const char* widgetId, bool value);
/* Posts message 144. */
DORVO_PREVIEW_API int NColorfulText_setFontItalic(const char* widgetId, bool value);
/* Posts message 145. */
DORVO_PREVIEW_API int NColorfulText_setFontUnderline(const char* widgetId, bool value);
/* Posts message 146. */
DORVO_PREVIEW_API int NColorfulText_setLineSpacing(const char* widgetId, int value);
/* Posts message 147. */
DORVO_PREVIEW_API int NColorfulText_setLetterSpacing(const char* widgetId, int value);
/* Posts message 148. */
DORVO_PREVIEW_API int NColorfulText_setVerticalAlignment(const char* widgetId, int value);
/* Posts message 149. */
DORVO_PREVIEW_API int NColorfulText_setHorizontalAlignment(const char* widgetId, int value);
/* Posts message 150. */
DORVO_PREVIEW_API int NColorfulText_setScrollType(const char* widgetId, int value);
/* Posts message 151. */
DORVO_PREVIEW_API int NColorfulText_setScrollSpeed(const char* widgetId, int value);
/* Posts message 152. */
DORVO_PREVIEW_API int NColorfulText_setScrollHeadTail(const char* widgetId, bool value);
/* Posts message 153. */
DORVO_PREVIEW_API int NColorfulText_setScrollDirection(const char* widgetId, int value);
/* Posts message 154. */
DORVO_PREVIEW_API int NColorfulText_setScrollHeadTailSpacing(const char* widgetId, int value);

/* ---- Digital clock (NDigitalClock) ---- */

/* Creates a widget of this family (type code 3) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NDigitalClock_createWidget(void);
/* Posts message 53. */
DORVO_PREVIEW_API int NDigitalClock_setGMT(const char* widgetId, const char* value);
/* Posts message 54. */
DORVO_PREVIEW_API int NDigitalClock_setZone(const char* widgetId, const char* value);
/* Posts message 55. */
DORVO_PREVIEW_API int NDigitalClock_setOffset(const char* widgetId, int value);
/* Posts message 56. */
DORVO_PREVIEW_API int NDigitalClock_setFontStyle(const char* widgetId, const char* value);
/* Posts message 57. */
DORVO_PREVIEW_API int NDigitalClock_setWeekTemplates(const char* widgetId, const char* value);
/* Posts message 58. */
DORVO_PREVIEW_API int NDigitalClock_setDataTimeRegular(const char* widgetId, const char* value);
/* Posts message 59. */
DORVO_PREVIEW_API int NDigitalClock_setSuffixTemplates(const char* widgetId, const char* value);

/* ---- Web page placeholder (NHtml) ---- */

/* Creates a widget of this family (type code 4) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NHtml_createWidget(void);
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NHtml_setPic(const char* widgetId, const char* picture);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NHtml_setName(const char* widgetId, const char* name);

/* ---- Pictures (NImage) ---- */

/* Creates a widget of this family (type code 5) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NImage_createWidget(void);
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NImage_setSource(const char* widgetId, const char* source);
/* Posts message 48. */
DORVO_PREVIEW_API int NImage_setKeepOriginalScale(const char* widgetId, bool value);
/* Posts message 49. */
DORVO_PREVIEW_API int NImage_setEffectType(const char* widgetId, int value);
/* Posts message 50. */
DORVO_PREVIEW_API int NImage_setEffectDuration(const char* widgetId, int value);
/* Posts message 51. */
DORVO_PREVIEW_API int NImage_setScrollSpeed(const char* widgetId, int value);
/* Posts message 52. */
DORVO_PREVIEW_API int NImage_setScrollDirection(const char* widgetId, int value);

/* ---- Picture groups (NImageGroup) ---- */

/* Creates a widget of this family (type code 6) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NImageGroup_createWidget(void);
/* Posts message 73. */
DORVO_PREVIEW_API int NImageGroup_setEffectType(const char* widgetId, int value);
/* Posts message 74. */
DORVO_PREVIEW_API int NImageGroup_setPageDuration(const char* widgetId, int value);
/* Posts message 75. */
DORVO_PREVIEW_API int NImageGroup_setEffectDuration(const char* widgetId, int value);
/* Posts message 76. */
DORVO_PREVIEW_API int NImageGroup_setDisplayType(const char* widgetId, int value);
/* Posts message 77. */
DORVO_PREVIEW_API int NImageGroup_setScrollSpeed(const char* widgetId, int value);
/* Posts message 78. */
DORVO_PREVIEW_API int NImageGroup_setPictureList(const char* widgetId, const char* value);
/* Posts message 79. */
DORVO_PREVIEW_API int NImageGroup_setHeaderPath(const char* widgetId, const char* value);

/* ---- RSS placeholder (NRss) ---- */

/* Creates a widget of this family (type code 7) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NRss_createWidget(void);
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NRss_setPic(const char* widgetId, const char* picture);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NRss_setName(const char* widgetId, const char* name);

/* ---- Real-time sensor values (NRtMedia) ---- */

/* Creates a widget of this family (type code 8) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NRtMedia_createWidget(void);
/* Posts message 107. */
DORVO_PREVIEW_API int NRtMedia_setFontFamily(const char* widgetId, const char* value);
/* Posts message 108. */
DORVO_PREVIEW_API int NRtMedia_setTextColor(const char* widgetId, const char* value);
/* Posts message 109. */
DORVO_PREVIEW_API int NRtMedia_setBold(const char* widgetId, bool value);
/* Posts message 110. */
DORVO_PREVIEW_API int NRtMedia_setItalic(const char* widgetId, bool value);
/* Posts message 111. */
DORVO_PREVIEW_API int NRtMedia_setUnderLine(const char* widgetId, bool value);
/* Posts message 112. */
DORVO_PREVIEW_API int NRtMedia_setLabelPixelSize(const char* widgetId, int value);
/* Posts message 113. */
DORVO_PREVIEW_API int NRtMedia_setValuePixelSize(const char* widgetId, int value);
/* Posts message 114. */
DORVO_PREVIEW_API int NRtMedia_setUnitPixelSize(const char* widgetId, int value);
/* Posts message 115. */
DORVO_PREVIEW_API int NRtMedia_setAlignStyles(const char* widgetId, int value);
/* Posts message 116. */
DORVO_PREVIEW_API int NRtMedia_setDisplayStyle(const char* widgetId, int value);
/* Posts message 117. */
DORVO_PREVIEW_API int NRtMedia_setScrollType(const char* widgetId, int value);
/* Posts message 118. */
DORVO_PREVIEW_API int NRtMedia_setScrollSpeed(const char* widgetId, int value);
/* Posts message 119. */
DORVO_PREVIEW_API int NRtMedia_setPlayTime(const char* widgetId, int value);
/* Posts message 120. */
DORVO_PREVIEW_API int NRtMedia_setRegular(const char* widgetId, const char* value);
/* Posts message 121. */
DORVO_PREVIEW_API int NRtMedia_setRegularContents(const char* widgetId, const char* value);
/* Posts message 122. */
DORVO_PREVIEW_API int NRtMedia_setTemperatureUnit(const char* widgetId, int value);
/* Posts message 123. */
DORVO_PREVIEW_API int NRtMedia_setTemperatureCompensation(const char* widgetId, int value);
/* Posts message 124. */
DORVO_PREVIEW_API int NRtMedia_setPageSwitchAnimation(const char* widgetId, int value);
/* Posts message 125. */
DORVO_PREVIEW_API int NRtMedia_setPageSwitchAnimationTime(const char* widgetId, int value);
/* Posts message 126. */
DORVO_PREVIEW_API int NRtMedia_setPageSwitchTime(const char* widgetId, int value);
/* Posts message 127. */
DORVO_PREVIEW_API int NRtMedia_setUpdateDuration(const char* widgetId, int value);

/* ---- Stream placeholder (NStreamMedia) ---- */

/* Creates a widget of this family (type code 9) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NStreamMedia_createWidget(void);
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NStreamMedia_setPic(const char* widgetId, const char* picture);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NStreamMedia_setName(const char* widgetId, const char* name);

/* ---- Table (NTable) ---- */

/* Creates a widget of this family (type code 10) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NTable_createWidget(void);
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NTable_setSource(const char* widgetId, const char* source);
/* Returns NULL. */
DORVO_PREVIEW_API const char* NTable_getName(const char* widgetId);

/* ---- Rich text (NText) ---- */

/* Creates a widget of this family (type code 11) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NText_createWidget(void);
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NText_setSource(const char* widgetId, const char* source);
/* Posts message 60. */
DORVO_PREVIEW_API int NText_setDisplayType(const char* widgetId, int value);
/* Posts message 61. */
DORVO_PREVIEW_API int NText_setPageSwitchTime(const char* widgetId, int value);
/* Posts message 62. */
DORVO_PREVIEW_API int NText_setPageSwitchAnimationType(const char* widgetId, int value);
/* Posts message 63. */
DORVO_PREVIEW_API int NText_setPageSwitchAnimationTime(const char* widgetId, int value);
/* Posts message 64. */
DORVO_PREVIEW_API int NText_setBackgroundColor(const char* widgetId, const char* value);
/* Posts message 65. */
DORVO_PREVIEW_API int NText_setScrollSpeed(const char* widgetId, int value);
/* Posts message 66. */
DORVO_PREVIEW_API int NText_setScrollDirection(const char* widgetId, int value);
/* Posts message 67. */
DORVO_PREVIEW_API int NText_setScrollIsEndToEnd(const char* widgetId, bool value);
/* Posts message 68. */
DORVO_PREVIEW_API int NText_setScrollHeadToTailSpacing(const char* widgetId, int value);
/* Posts message 69. */
DORVO_PREVIEW_API int NText_setVerticalOffset(const char* widgetId, int value);
/* Posts message 70. */
DORVO_PREVIEW_API int NText_setTextJagged(const char* widgetId, bool value);
/* Posts message 71. */
DORVO_PREVIEW_API int NText_setSyncByMusic(const char* widgetId, bool value);
/* Posts message 72. */
DORVO_PREVIEW_API int NText_setBackMusicDuration(const char* widgetId, int value);

/* ---- Countdown timer (NTimer) ---- */

/* Creates a widget of this family (type code 12) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NTimer_createWidget(void);
/* Posts message 47. Background colour. */
DORVO_PREVIEW_API int NTimer_setBackground(const char* widgetId, const char* color);
/* Posts message 165. */
DORVO_PREVIEW_API int NTimer_setModel(const char* widgetId, int value);
/* Posts message 166. */
DORVO_PREVIEW_API int NTimer_setDataTimeStyle(const char* widgetId, const char* value);
/* Posts message 167. */
DORVO_PREVIEW_API int NTimer_setContent(const char* widgetId, const char* value);
/* Posts message 168. */
DORVO_PREVIEW_API int NTimer_setDisplayStyle(const char* widgetId, const char* value);
/* Posts message 169. */
DORVO_PREVIEW_API int NTimer_setFontStyle(const char* widgetId, const char* value);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NTimer_setName(const char* widgetId, const char* name);

/* ---- Video (NVideo) ---- */

/* Creates a widget of this family (type code 13) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NVideo_createWidget(void);
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NVideo_setSource(const char* widgetId, const char* source);

/* ---- Branded analogue clock (NTarroAnalogClock) ---- */

/* Creates a widget of this family (type code 14) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NTarroAnalogClock_createWidget(void);
/* Posts message 81. */
DORVO_PREVIEW_API int NTarroAnalogClock_setLanguage(const char* widgetId, const char* value);
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NTarroAnalogClock_destroyWidget(const char* widgetId);

/* ---- Base weather panel (NBaseWeather) ---- */

/* Creates a widget of this family (type code 15) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NBaseWeather_createWidget(void);
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NBaseWeather_setSource(const char* widgetId, const char* source);
/* Posts message 82. */
DORVO_PREVIEW_API int NBaseWeather_setTemperatureUnit(const char* widgetId, int value);
/* Posts message 83. */
DORVO_PREVIEW_API int NBaseWeather_setLocation(const char* widgetId, const char* value);
/* Posts message 84. */
DORVO_PREVIEW_API int NBaseWeather_setRefreshCycle(const char* widgetId, int value);
/* Posts message 85. */
DORVO_PREVIEW_API int NBaseWeather_setLanguage(const char* widgetId, const char* value);
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NBaseWeather_deleteWidget(const char* widgetId);

/* ---- Calendar (NCalendar) ---- */

/* Creates a widget of this family (type code 16) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NCalendar_createWidget(void);
/* Posts message 80. */
DORVO_PREVIEW_API int NCalendar_setLunarEnabled(const char* widgetId, bool value);
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NCalendar_destroyWidget(const char* widgetId);

/* ---- Senior weather panel (NSeniorWeather) ---- */

/* Creates a widget of this family (type code 17) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NSeniorWeather_createWidget(void);
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NSeniorWeather_setSource(const char* widgetId, const char* source);
/* Posts message 86. */
DORVO_PREVIEW_API int NSeniorWeather_setStyle(const char* widgetId, int value);
/* Posts message 87. */
DORVO_PREVIEW_API int NSeniorWeather_setLocation(const char* widgetId, const char* value);
/* Posts message 88. */
DORVO_PREVIEW_API int NSeniorWeather_setRefreshCycle(const char* widgetId, int value);
/* Posts message 89. */
DORVO_PREVIEW_API int NSeniorWeather_setRefreshTime(const char* widgetId, int value);
/* Posts message 90. */
DORVO_PREVIEW_API int NSeniorWeather_setBaseInfoEnabled(const char* widgetId, bool value);
/* Posts message 91. */
DORVO_PREVIEW_API int NSeniorWeather_setAirQualityEnabled(const char* widgetId, bool value);
/* Posts message 92. */
DORVO_PREVIEW_API int NSeniorWeather_setComfortEnabled(const char* widgetId, bool value);
/* Posts message 93. */
DORVO_PREVIEW_API int NSeniorWeather_setSpeedAndPressureEnabled(const char* widgetId, bool value);
/* Posts message 94. */
DORVO_PREVIEW_API int NSeniorWeather_setSunriseAndSunsetEnabled(const char* widgetId, bool value);
/* Posts message 95. */
DORVO_PREVIEW_API int NSeniorWeather_setLivingIndexEnabled(const char* widgetId, bool value);
/* Posts message 96. */
DORVO_PREVIEW_API int NSeniorWeather_setTemperatureUnit(const char* widgetId, int value);
/* Posts message 97. */
DORVO_PREVIEW_API int NSeniorWeather_setPageSwitchTime(const char* widgetId, int value);
/* Posts message 98. */
DORVO_PREVIEW_API int NSeniorWeather_setIsDomestic(const char* widgetId, bool value);
/* Posts message 99. */
DORVO_PREVIEW_API int NSeniorWeather_setLanguage(const char* widgetId, const char* value);
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NSeniorWeather_destroyWidget(const char* widgetId);

/* ---- Weather text (NWeather) ---- */

/* Creates a widget of this family (type code 18) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NWeather_createWidget(void);
/* Posts message 170. */
DORVO_PREVIEW_API int NWeather_setCity(const char* widgetId, const char* value);
/* Posts message 171. */
DORVO_PREVIEW_API int NWeather_setSharpened(const char* widgetId, int value);
/* Posts message 172. */
DORVO_PREVIEW_API int NWeather_setDisplay(const char* widgetId, const char* value);
/* Posts message 173. */
DORVO_PREVIEW_API int NWeather_setTmpUnit(const char* widgetId, const char* value);
/* Posts message 174. */
DORVO_PREVIEW_API int NWeather_setTmpSymbol(const char* widgetId, const char* value);
/* Posts message 175. */
DORVO_PREVIEW_API int NWeather_setCustomContent(const char* widgetId, const char* value);
/* Posts message 176. */
DORVO_PREVIEW_API int NWeather_setDisplayStyle(const char* widgetId, const char* value);
/* Posts message 177. */
DORVO_PREVIEW_API int NWeather_setFontStyle(const char* widgetId, const char* value);
/* Posts message 178. */
DORVO_PREVIEW_API int NWeather_setUpdateDuration(const char* widgetId, int64_t value);
/* Posts message 179. */
DORVO_PREVIEW_API int NWeather_setLanguage(const char* widgetId, const char* value);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NWeather_setName(const char* widgetId, const char* name);

/* ---- HDMI input placeholder (NHdmi) ---- */

/* Creates a widget of this family (type code 20) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NHdmi_createWidget(void);
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NHdmi_setPic(const char* widgetId, const char* picture);
/* No effect; returns 0. */
DORVO_PREVIEW_API int NHdmi_setName(const char* widgetId, const char* name);
#endif /* DORVO_PREVIEW_H */
