/*
 * dorvo_preview.h - the interface of the signage program preview library.
 *
 * A host (a content editor) loads libdorvo_preview.so, starts the engine, and
 * describes a program call by call: preview windows, widgets and widget
 * containers. The library renders the program live in a Qt Quick scene and
 * reports the user's interaction through callbacks.
 *
 * Rules that hold for every function below:
 *  - Every call but quit() returns at once. A posting call queues its work
 *    for the engine's Qt thread and returns 0; it returns -1 (or NULL) only
 *    when the engine has not been started with init() or initPreview(), and
 *    then logs "<name>() error" (a few families log "<name> error"), or
 *    after quit() ended it, and then logs "<name>() error, engine stopped".
 *    The engine does not start again in the same process.
 *  - Strings are read-only, zero-terminated, and copied before the call
 *    returns. A NULL string counts as "". No encoding conversion happens.
 *  - Identifiers returned by the creating calls are 36-character lower-case
 *    UUID texts owned by the library; they stay valid for the life of the
 *    library. Never free them.
 *  - No C++ exception leaves a function: a call that fails on one (out of
 *    memory, a system error) logs "<name>() failed: <what>" and returns -1
 *    (or NULL, or false); one thrown while the engine carries out a call logs
 *    "process msg <Message> failed, dropped: <what>" and the next call runs.
 *  - Strings from the host may hold any bytes: text that is not valid UTF-8
 *    is repaired (each bad byte becomes U+FFFD), JSON that does not parse,
 *    nests deeper than 256 levels or holds numbers out of a field's range is
 *    refused with one log line, and the widget keeps what it showed.
 *  - Queued mode (initPreview): any host thread may call any function. Direct
 *    mode (init): see init(). Calls made from one thread are
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
/* No C++ exception leaves a function of this interface. */
#ifdef __cplusplus
#define DORVO_PREVIEW_NOEXCEPT noexcept
#else
#define DORVO_PREVIEW_NOEXCEPT
#endif

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

/* ---- Start-up, shutdown and logging ----
 *
 * Life cycle of the engine, once per process:
 *  1. initPreview() (queued mode, the usual one) or init() (direct mode) makes the channel; from then on
 *     every call is accepted. In queued mode the posting calls made now wait in the queue; in direct
 *     mode each call runs at once on the calling thread.
 *  2. The engine is ready to draw once its Qt event loop runs: in queued mode setRunningPath() starts it
 *     on the engine's own thread (exec() is then not needed) and the waiting calls are carried out in
 *     order; in direct mode exec() runs it on the calling thread and blocks until quit().
 *  3. quit() ends the Qt event loop and with it the engine: the windows and their widgets are deleted,
 *     calls still waiting are dropped and every later call is refused. The engine cannot be started
 *     again in the same process.
 *  4. unInit() does nothing; nothing else needs releasing after quit().
 */

/* The library's version as "MAJOR.MINOR.PATCH" (the package's version; the SONAME carries the major).
 * Any thread, at any time, also before init(). The text is owned by the library and never changes.
 * An addition to the interface: hosts that must run with older builds look it up with dlsym. */
DORVO_PREVIEW_API const char* dorvo_preview_version(void) DORVO_PREVIEW_NOEXCEPT;

/* Starts the engine in direct mode: calls run on the engine's thread at once,
 * and exec() (or setRunningPath()) blocks its caller in the Qt event loop
 * until quit(). Until the loop runs, the engine's thread is the one that
 * called init(): calls from other threads are refused with the log line
 * "process msg <Message> refused: called from a thread other than the
 * engine's before its Qt loop runs" (-1, or NULL for creating calls). While
 * the loop runs, the engine's thread is the loop's: calls from other threads
 * are carried over to it and run at its next turn (creating calls and quit()
 * wait for that). Each call replaces the engine's channel. Returns 0, or -1
 * with a log line after initPreview() (the modes do not mix) or after quit(). */
DORVO_PREVIEW_API int init(void) DORVO_PREVIEW_NOEXCEPT;
/* Starts the engine in queued mode: calls are queued and carried out in order
 * on the engine's own thread. hostWindow is the native (X11) window that
 * preview windows are embedded in, or NULL for top-level windows; moduleHandle
 * is ignored on this platform. Later calls only update the handles; after
 * init() (the modes do not mix) or after quit() it is refused with a log line.
 * Returns false in every case. */
DORVO_PREVIEW_API bool initPreview(void* moduleHandle, void* hostWindow) DORVO_PREVIEW_NOEXCEPT;
/* First call only: makes path (backslashes become slashes) the current
 * directory and the Qt library path, starts the Qt event loop (as exec()),
 * and sends the log to <path>/log/preview/preview.log. Later calls are
 * ignored; an empty or NULL path is refused with a log line and does not
 * count as the first call. */
DORVO_PREVIEW_API void setRunningPath(const char* path) DORVO_PREVIEW_NOEXCEPT;
/* Does nothing. Returns 0. */
DORVO_PREVIEW_API int unInit(void) DORVO_PREVIEW_NOEXCEPT;
/* Sends the log to standard output from now on. Returns 0. */
DORVO_PREVIEW_API int openConsoleLog(void) DORVO_PREVIEW_NOEXCEPT;

/* ---- Host callbacks ----
 * Each stores the callback at once (NULL switches it off; a later call
 * replaces an earlier one). Returns 0, or -1 before init/initPreview. */

/* The id of a widget that lost the selection as "" and the newly selected id. */
DORVO_PREVIEW_API int setOnWidgetSelected(DorvoCallback callback) DORVO_PREVIEW_NOEXCEPT;
/* A widget's rectangle as JSON whenever it changes. */
DORVO_PREVIEW_API int setOnRectChanged(DorvoCallback callback) DORVO_PREVIEW_NOEXCEPT;
/* The id of a double-clicked widget. */
DORVO_PREVIEW_API int setOnWidgetDoubleClicked(DorvoCallback callback) DORVO_PREVIEW_NOEXCEPT;
/* Key names: "Delete", "Return", "Enter", "CtrlC", "CtrlV", "CtrlS", "Backspace". */
DORVO_PREVIEW_API int setOnKeyChanged(DorvoCallback callback) DORVO_PREVIEW_NOEXCEPT;
/* The frame rate, once a second when it changes. */
DORVO_PREVIEW_API int setFpsCallback(DorvoCallback callback) DORVO_PREVIEW_NOEXCEPT;
/* "up" or "down" for Ctrl+wheel turns. */
DORVO_PREVIEW_API int setMouseWheelCallback(DorvoCallback callback) DORVO_PREVIEW_NOEXCEPT;

/* ---- Preview windows and the engine's event loop ---- */

/* Creates a preview window. Returns its identifier, or NULL when the engine is not started. */
DORVO_PREVIEW_API const char* createWindow(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 1. Destroys the window. */
DORVO_PREVIEW_API int destroyWindow(const char* windowId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 2. Starts the Qt event loop (queued mode: on the engine thread; direct mode: blocks the
 * caller until quit). */
DORVO_PREVIEW_API int exec(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 3: stops the message timer and quits the Qt event loop; the windows and their widgets
 * are deleted. In queued mode, called from a host thread, it returns once the loop has ended (at most
 * about 10 s), so the host may return from main() right after it. Every later call is refused with
 * "engine stopped"; messages still queued are dropped. Returns 0, or -1 when refused. */
DORVO_PREVIEW_API int quit(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 4. Shows the window inside the host window. */
DORVO_PREVIEW_API int attachWindow(const char* windowId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 5. Takes the window out of the host window. */
DORVO_PREVIEW_API int detachWindow(const char* windowId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 6. View position in the host window, in pixels. */
DORVO_PREVIEW_API int setWindowX(const char* windowId, float x) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 7. */
DORVO_PREVIEW_API int setWindowY(const char* windowId, float y) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 8. View size in the host window, in pixels. */
DORVO_PREVIEW_API int setWindowWidth(const char* windowId, float width) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 9. */
DORVO_PREVIEW_API int setWindowHeight(const char* windowId, float height) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 10. Background colour around the canvas ("#RRGGBB" or "#AARRGGBB"). */
DORVO_PREVIEW_API int setWindowBackColor(const char* windowId, const char* color) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 11. Canvas (program) size in pixels, 1 to 100000; other values are refused. */
DORVO_PREVIEW_API int setCanvasWidth(const char* windowId, float width) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 12. */
DORVO_PREVIEW_API int setCanvasHeight(const char* windowId, float height) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 13. Zoom in percent (100 = one canvas pixel per screen pixel), 1 to 1000; other values
 * are refused. While the scaled canvas fits the view it is centred; otherwise scroll bars appear. */
DORVO_PREVIEW_API int setWindowScale(const char* windowId, int percent) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 14. Restarts every widget of the window from its beginning. */
DORVO_PREVIEW_API int updateWindow(const char* windowId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 15. Scales the selection frame of every widget; the window id is only logged. */
DORVO_PREVIEW_API int setAllWidgetBorderScale(const char* windowId, int percent) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 16. Adds a font file to the attached window. The path travels as the second string. */
DORVO_PREVIEW_API int addSystemFont(const char* fontPath) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 18. force true pauses every widget until pausePreviewForce(id, false). */
DORVO_PREVIEW_API int pausePreviewForce(const char* windowId, bool force) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 19. Pauses the window's widgets. */
DORVO_PREVIEW_API int pausePreview(const char* windowId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 20. Resumes the window's widgets. */
DORVO_PREVIEW_API int resumePreview(const char* windowId) DORVO_PREVIEW_NOEXCEPT;
/* Does nothing. */
DORVO_PREVIEW_API void grabImage(void) DORVO_PREVIEW_NOEXCEPT;

/* ---- Widgets of every kind, and widget containers ---- */

/* Posts message 21. Stops the play, removes and deletes every widget of the container and shows the hint
 * text again; the container stays. */
DORVO_PREVIEW_API int destroyWidgetContainer(const char* containerId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 22. Hint text shown while the container holds no widget (by default a red text asking
 * to add media); an empty text is refused. */
DORVO_PREVIEW_API int setEmptyContainerText(const char* containerId, const char* text) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 23. Pixel size of the hint text (default 14); values outside 1..1000 are refused. */
DORVO_PREVIEW_API int setEmptyContainerPixelSize(const char* containerId,
                                                 int pixelSize) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 24. Takes the member out of the play list (its content goes; the widget itself stays
 * until deleteWidget) and shows the first member, or plays from it when the play was running. */
DORVO_PREVIEW_API int deleteWidgetFromContainer(const char* containerId,
                                                const char* widgetId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 25. Plays the members from the first, each for its interval (setWidgetInterval, at
 * least 1 s; a video also moves on at its end). A container holding one video only lets it loop. */
DORVO_PREVIEW_API int startPreviewFromContainer(const char* containerId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 26. Stops the play and shows the given member. */
DORVO_PREVIEW_API int switchContainerIndex(const char* containerId,
                                           const char* widgetId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 27. Stops the play; moves the member one place earlier in play order. */
DORVO_PREVIEW_API int widgetUpFromContainer(const char* containerId,
                                            const char* widgetId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 28. Stops the play; moves the member one place later in play order. */
DORVO_PREVIEW_API int widgetDownFromContainer(const char* containerId,
                                              const char* widgetId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 29. Moves the member to play position index (0 .. members - 1, others refused) and
 * plays from the first member. */
DORVO_PREVIEW_API int widgetInsertFromContainer(const char* containerId, const char* widgetId,
                                                int index) DORVO_PREVIEW_NOEXCEPT;
/* Creates a widget of a type code 0..20 (see DorvoWidgetType) on the attached window (the window last
 * given to attachWindow), or inside the container containerId when that names one. Returns its
 * identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* createWidget(int type, const char* containerId,
                                           const char* defaultContent) DORVO_PREVIEW_NOEXCEPT;
/* Creates a widget container (disabled, showing its hint text) from a widget record: layout, zOrder and
 * optionally metadata.emptyText and metadata.emptyPixelSize. Widgets made with createWidget(type, its id,
 * ...) join its play list. Returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* createWidgetContainer(const char* defaultContent) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 31. Moves the widget's content into the target widget's item (a container). A new
 * widget is placed on the attached window when it is created: a window id as target is refused with a
 * log line. */
DORVO_PREVIEW_API int addWidget(const char* targetId, const char* widgetId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 32. Deletes the widget. */
DORVO_PREVIEW_API int deleteWidget(const char* widgetId) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 33. Border style: 0 none, 1 cross, 2 circle, 3 triangle, 4 square, 5 two-colour band,
 * 102 the picture at borderPath (refused when it cannot be read); others are refused. A style other
 * than 0 sets the width back to 10 and both colours back to their defaults, so set them after it. */
DORVO_PREVIEW_API int setWidgetBorderType(const char* widgetId, int type,
                                          const char* borderPath) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 34. Thickness in canvas pixels at 100 % (0..1000); 0 shows no border. */
DORVO_PREVIEW_API int setWidgetBorderWidth(const char* widgetId, int width) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 35. Colour between the figures ("#RRGGBB" or "#AARRGGBB"). */
DORVO_PREVIEW_API int setWidgetBorderBackColor(const char* widgetId,
                                               const char* color) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 36. Colour of the figures. */
DORVO_PREVIEW_API int setWidgetBorderGraColor(const char* widgetId,
                                              const char* colors) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 37. Pixels per second (0..500; 0 stands still). */
DORVO_PREVIEW_API int setWidgetBorderScrollSpeed(const char* widgetId, int speed) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 38. 0 clockwise, any other value anticlockwise. */
DORVO_PREVIEW_API int setWidgetBorderDirection(const char* widgetId, int direction) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 39. Background music of the widget, as JSON (format: docs/formats.md, "Background music"). */
DORVO_PREVIEW_API int setWidgetBackMusic(const char* widgetId, const char* musicInfo) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 40. */
DORVO_PREVIEW_API int setWidgetBackMusicDuration(const char* widgetId, int duration) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 41. Allows or forbids moving and resizing with the mouse. */
DORVO_PREVIEW_API int setWidgetDragEnable(const char* widgetId, bool enable) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 42. A disabled container shows and plays nothing; enabling shows the last inserted
 * member, or plays from the first when the play was started. */
DORVO_PREVIEW_API int setWidgetContainerEnable(const char* containerId, bool enable) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 43. Writes a picture of the widget to path (text kinds only). */
DORVO_PREVIEW_API int grabWidgetImage(const char* widgetId, const char* path,
                                      bool autoUpdate) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 44. */
DORVO_PREVIEW_API int setWidgetVisible(const char* widgetId, bool visible) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 46. Video display ratio, kept with the video; the picture fills the widget whatever the
 * ratio, as on the playback device. */
DORVO_PREVIEW_API int setDisplayRatio(const char* widgetId, const char* ratio) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 100. Widget geometry in canvas pixels. */
DORVO_PREVIEW_API int setWidgetX(const char* widgetId, float x) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 101. */
DORVO_PREVIEW_API int setWidgetY(const char* widgetId, float y) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 102. Stacking order; travels as a float. */
DORVO_PREVIEW_API int setWidgetZ(const char* widgetId, int z) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 103. */
DORVO_PREVIEW_API int setWidgetWidth(const char* widgetId, float width) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 104. */
DORVO_PREVIEW_API int setWidgetHeight(const char* widgetId, float height) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 105. Selects or deselects the widget without notifying the host. */
DORVO_PREVIEW_API int selectWidgetBorder(const char* widgetId, bool selected) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 106. Play length of the widget in a container, in seconds. */
DORVO_PREVIEW_API int setWidgetInterval(const char* widgetId, int seconds) DORVO_PREVIEW_NOEXCEPT;

/* ---- Analogue clock (NAnalogClock) ---- */

/* Creates a widget of this family (type code 1) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NAnalogClock_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 155. value: JSON {"gmt": "GMT+08:00", "zone": "Asia/Shanghai"}; keys present replace; a
 * gmt not of the form GMT±HH:MM is refused. The zone's daylight-saving rules come from tzdata. */
DORVO_PREVIEW_API int NAnalogClock_setTimeZone(const char* widgetId,
                                               const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 156. value: JSON {"shape": "RECTANGLE"|"OVAL"|"DIGITAL", "width", "height", "color",
 * "textAttributes"}; keys present replace; a bad key refuses the whole call. */
DORVO_PREVIEW_API int NAnalogClock_setHourMarkerStyle(const char* widgetId,
                                                      const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 157. The minute markers, as NAnalogClock_setHourMarkerStyle. */
DORVO_PREVIEW_API int NAnalogClock_setMinMarkerStyle(const char* widgetId,
                                                     const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 158. Colour of the hour hand. */
DORVO_PREVIEW_API int NAnalogClock_setHourMarkerColor(const char* widgetId,
                                                      const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 159. Colour of the minute hand. */
DORVO_PREVIEW_API int NAnalogClock_setMinMarkerColor(const char* widgetId,
                                                     const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 160. Colour of the second hand. */
DORVO_PREVIEW_API int NAnalogClock_setSecMarkerColor(const char* widgetId,
                                                     const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 161. Shows the date line; true also restores the date template "$dd/$MM/$yyyy\n$E". */
DORVO_PREVIEW_API int NAnalogClock_setDateVisible(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 162. value: font record JSON of the date line (must be an object). */
DORVO_PREVIEW_API int NAnalogClock_setDateFontStyle(const char* widgetId,
                                                    const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 163. The dial text, shown as plain text. */
DORVO_PREVIEW_API int NAnalogClock_setContent(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 164. value: font record JSON of the dial text (must be an object). */
DORVO_PREVIEW_API int NAnalogClock_setFontStyle(const char* widgetId,
                                                const char* value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NAnalogClock_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;

/* ---- Colourful text (NColorfulText) ---- */

/* Creates a colourful text widget (type code 2) with the default content and returns its identifier (valid
   for the life of the library), or NULL when refused. Any thread. */
DORVO_PREVIEW_API const char* NColorfulText_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 128. */
DORVO_PREVIEW_API int NColorfulText_setColorfulEnable(const char* widgetId,
                                                      bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 129: fill colours separated by "," (empty parts kept, at most six used); a list with
   no colour or with a part that is not a colour is refused. */
DORVO_PREVIEW_API int NColorfulText_setColors(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 130: fill 0 texture, 1 horizontal, 2 vertical, 3 oblique gradient, 4 fade in and out;
   other values are refused. */
DORVO_PREVIEW_API int NColorfulText_setColorfulType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 131. */
DORVO_PREVIEW_API int NColorfulText_setTexturePath(const char* widgetId,
                                                   const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 132. */
DORVO_PREVIEW_API int NColorfulText_setStroke(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 133. */
DORVO_PREVIEW_API int NColorfulText_setStrokeWidth(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 134. */
DORVO_PREVIEW_API int NColorfulText_setStrokeColor(const char* widgetId,
                                                   const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 135: 0 page switch (shown static), 1 scroll, 2 static, 3 one by one; other values are
   refused. */
DORVO_PREVIEW_API int NColorfulText_setDisplayType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 136. */
DORVO_PREVIEW_API int NColorfulText_setBackgroundColor(const char* widgetId,
                                                       const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 137. */
DORVO_PREVIEW_API int NColorfulText_setBlink(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 138. */
DORVO_PREVIEW_API int NColorfulText_setYOffset(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 139: the text in UTF-8, shown as plain text (markup is drawn as written). */
DORVO_PREVIEW_API int NColorfulText_setText(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 140. */
DORVO_PREVIEW_API int NColorfulText_setTextColor(const char* widgetId,
                                                 const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 141: pixels, 1 to 2000, and the line (size + line spacing) at least 1; else refused. */
DORVO_PREVIEW_API int NColorfulText_setFontSize(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 142. */
DORVO_PREVIEW_API int NColorfulText_setFontFamily(const char* widgetId,
                                                  const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 143. */
DORVO_PREVIEW_API int NColorfulText_setFontBold(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 144. */
DORVO_PREVIEW_API int NColorfulText_setFontItalic(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 145. */
DORVO_PREVIEW_API int NColorfulText_setFontUnderline(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 146. */
DORVO_PREVIEW_API int NColorfulText_setLineSpacing(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 147. */
DORVO_PREVIEW_API int NColorfulText_setLetterSpacing(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 148: 0 top, 1 centre, 2 bottom; other values are refused. */
DORVO_PREVIEW_API int NColorfulText_setVerticalAlignment(const char* widgetId,
                                                         int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 149: 0 left, 1 centre, 2 right; other values are refused. */
DORVO_PREVIEW_API int NColorfulText_setHorizontalAlignment(const char* widgetId,
                                                           int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 150. */
DORVO_PREVIEW_API int NColorfulText_setScrollType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 151: pixels per second; 0 stands still, outside 0 to 500 scrolls at 60. */
DORVO_PREVIEW_API int NColorfulText_setScrollSpeed(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 152. */
DORVO_PREVIEW_API int NColorfulText_setScrollHeadTail(const char* widgetId,
                                                      bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 153: 0 scrolls left, any other value right. */
DORVO_PREVIEW_API int NColorfulText_setScrollDirection(const char* widgetId,
                                                       int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 154. */
DORVO_PREVIEW_API int NColorfulText_setScrollHeadTailSpacing(const char* widgetId,
                                                             int value) DORVO_PREVIEW_NOEXCEPT;

/* ---- Digital clock (NDigitalClock) ---- */

/* Creates a widget of this family (type code 3) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NDigitalClock_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 53. The zone's standard offset, "GMT±HH:MM"; anything else is refused. */
DORVO_PREVIEW_API int NDigitalClock_setGMT(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 54. IANA zone name whose daylight-saving rules apply ("" for none). */
DORVO_PREVIEW_API int NDigitalClock_setZone(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 55. Hours added to the shown time, -24..24. */
DORVO_PREVIEW_API int NDigitalClock_setOffset(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 56. value: font record JSON {"font": {"family": [..], "style", "size", "isUnderline"},
 * "textColor"}. */
DORVO_PREVIEW_API int NDigitalClock_setFontStyle(const char* widgetId,
                                                 const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 57. value: JSON array of 7 week-day names, Sunday first (missing names are empty). */
DORVO_PREVIEW_API int NDigitalClock_setWeekTemplates(const char* widgetId,
                                                     const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 58. The template: only "$" tokens are replaced ($yyyy $MM $dd $HH $hh $mm $ss $E week
 * day, $N suffix); lines separated by "\n"; shown as plain text. */
DORVO_PREVIEW_API int NDigitalClock_setDataTimeRegular(const char* widgetId,
                                                       const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 59. value: JSON array [before noon, after noon]. */
DORVO_PREVIEW_API int NDigitalClock_setSuffixTemplates(const char* widgetId,
                                                       const char* value) DORVO_PREVIEW_NOEXCEPT;

/* ---- Web page placeholder (NHtml) ---- */

/* Creates a web page placeholder (type code 4; its icon on a neutral fill, selectable, movable and sizable
 * like a picture) and returns its identifier, or NULL when refused or when nothing could be created (no
 * attached window). Waits until the engine thread has made it. */
DORVO_PREVIEW_API const char* NHtml_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NHtml_setPic(const char* widgetId, const char* picture) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NHtml_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;

/* ---- Pictures (NImage) ---- */

/* Creates a picture widget (type code 5) and returns its identifier, or NULL when refused or when nothing
 * could be created (no attached window). Waits until the engine thread has made it. */
DORVO_PREVIEW_API const char* NImage_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 45. The picture file (UTF-8 local path, or a URL): JPEG, PNG, BMP, WebP, TIFF, GIF and
 * animated WebP (played), SVG (always fitted); "" shows nothing. A file that cannot be read is logged and
 * leaves the widget empty. Also shows a picture in a placeholder (type codes 4, 7, 9, 20). */
DORVO_PREVIEW_API int NImage_setSource(const char* widgetId, const char* source) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 48. true: fit the picture keeping its aspect ratio, centred; false: stretch it. */
DORVO_PREVIEW_API int NImage_setKeepOriginalScale(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 49. Entrance effect code (page-switch effect codes; 0 none; an unknown code shows the
 * picture without effect). */
DORVO_PREVIEW_API int NImage_setEffectType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 50. Entrance effect length in ms; negative values are refused (logged). */
DORVO_PREVIEW_API int NImage_setEffectDuration(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 51. Marquee speed in pixels per second; 0 stands still, outside 0..500 runs at 60. */
DORVO_PREVIEW_API int NImage_setScrollSpeed(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 52. Marquee: 0 none, 3 left, 4 right, 5 down, 6 up (other codes up to 7 run right);
 * negative or larger values are refused (logged). */
DORVO_PREVIEW_API int NImage_setScrollDirection(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;

/* ---- Picture groups (NImageGroup) ---- */

/* Creates a picture group (type code 6) with an empty list and returns its identifier, or NULL when
 * refused. createWidget(6, "", record) takes the content (see docs/formats.md) from record.metadata. */
DORVO_PREVIEW_API const char* NImageGroup_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 73. Entrance effect code of every picture (>= 0), kept for pictures added later. */
DORVO_PREVIEW_API int NImageGroup_setEffectType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 74. Page duration in ms of every picture (> 0), kept for pictures added later. */
DORVO_PREVIEW_API int NImageGroup_setPageDuration(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 75. Effect duration in ms of every picture (>= 0), kept for pictures added later. */
DORVO_PREVIEW_API int NImageGroup_setEffectDuration(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 76. 0 page by page, 1 scrolling up, 2 the first picture only. */
DORVO_PREVIEW_API int NImageGroup_setDisplayType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 77. Scroll speed in pixels per second (outside 0..500 the group scrolls at 60). */
DORVO_PREVIEW_API int NImageGroup_setScrollSpeed(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 78. A JSON array of picture paths; anything else is refused and the pictures stay. */
DORVO_PREVIEW_API int NImageGroup_setPictureList(const char* widgetId,
                                                 const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 79. Picture shown fixed above the scrolling pictures (at most half the height); "" none. */
DORVO_PREVIEW_API int NImageGroup_setHeaderPath(const char* widgetId,
                                                const char* value) DORVO_PREVIEW_NOEXCEPT;

/* ---- RSS placeholder (NRss) ---- */

/* Creates a RSS placeholder (type code 7; its icon on a neutral fill, selectable, movable and sizable
 * like a picture) and returns its identifier, or NULL when refused or when nothing could be created (no
 * attached window). Waits until the engine thread has made it. */
DORVO_PREVIEW_API const char* NRss_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NRss_setPic(const char* widgetId, const char* picture) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NRss_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;

/* ---- Real-time sensor values (NRtMedia) ---- */

/* Creates a widget of this family (type code 8) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NRtMedia_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 107. */
DORVO_PREVIEW_API int NRtMedia_setFontFamily(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 108. */
DORVO_PREVIEW_API int NRtMedia_setTextColor(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 109. */
DORVO_PREVIEW_API int NRtMedia_setBold(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 110. */
DORVO_PREVIEW_API int NRtMedia_setItalic(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 111. */
DORVO_PREVIEW_API int NRtMedia_setUnderLine(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 112. */
DORVO_PREVIEW_API int NRtMedia_setLabelPixelSize(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 113. */
DORVO_PREVIEW_API int NRtMedia_setValuePixelSize(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 114. */
DORVO_PREVIEW_API int NRtMedia_setUnitPixelSize(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 115. */
DORVO_PREVIEW_API int NRtMedia_setAlignStyles(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 116. */
DORVO_PREVIEW_API int NRtMedia_setDisplayStyle(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 117. */
DORVO_PREVIEW_API int NRtMedia_setScrollType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 118. */
DORVO_PREVIEW_API int NRtMedia_setScrollSpeed(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 119. */
DORVO_PREVIEW_API int NRtMedia_setPlayTime(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 120. */
DORVO_PREVIEW_API int NRtMedia_setRegular(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 121. */
DORVO_PREVIEW_API int NRtMedia_setRegularContents(const char* widgetId,
                                                  const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 122. */
DORVO_PREVIEW_API int NRtMedia_setTemperatureUnit(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 123. */
DORVO_PREVIEW_API int NRtMedia_setTemperatureCompensation(const char* widgetId,
                                                          int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 124. */
DORVO_PREVIEW_API int NRtMedia_setPageSwitchAnimation(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 125. */
DORVO_PREVIEW_API int NRtMedia_setPageSwitchAnimationTime(const char* widgetId,
                                                          int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 126. */
DORVO_PREVIEW_API int NRtMedia_setPageSwitchTime(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 127. */
DORVO_PREVIEW_API int NRtMedia_setUpdateDuration(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;

/* ---- Stream placeholder (NStreamMedia) ---- */

/* Creates a stream placeholder (type code 9; its icon on a neutral fill, selectable, movable and sizable
 * like a picture) and returns its identifier, or NULL when refused or when nothing could be created (no
 * attached window). Waits until the engine thread has made it. */
DORVO_PREVIEW_API const char* NStreamMedia_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NStreamMedia_setPic(const char* widgetId, const char* picture) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NStreamMedia_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;

/* ---- Table (NTable) ---- */

/* Creates a widget of this family (type code 10) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NTable_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NTable_setSource(const char* widgetId, const char* source) DORVO_PREVIEW_NOEXCEPT;
/* Returns NULL. */
DORVO_PREVIEW_API const char* NTable_getName(const char* widgetId) DORVO_PREVIEW_NOEXCEPT;

/* ---- Rich text (NText) ---- */

/* Creates a widget of this family (type code 11) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NText_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 45. The rich text as JSON (format: docs/formats.md, "Rich text"). */
DORVO_PREVIEW_API int NText_setSource(const char* widgetId, const char* source) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 60. */
DORVO_PREVIEW_API int NText_setDisplayType(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 61. */
DORVO_PREVIEW_API int NText_setPageSwitchTime(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 62. */
DORVO_PREVIEW_API int NText_setPageSwitchAnimationType(const char* widgetId,
                                                       int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 63. */
DORVO_PREVIEW_API int NText_setPageSwitchAnimationTime(const char* widgetId,
                                                       int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 64. */
DORVO_PREVIEW_API int NText_setBackgroundColor(const char* widgetId,
                                               const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 65. */
DORVO_PREVIEW_API int NText_setScrollSpeed(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 66. */
DORVO_PREVIEW_API int NText_setScrollDirection(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 67. */
DORVO_PREVIEW_API int NText_setScrollIsEndToEnd(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 68. */
DORVO_PREVIEW_API int NText_setScrollHeadToTailSpacing(const char* widgetId,
                                                       int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 69. */
DORVO_PREVIEW_API int NText_setVerticalOffset(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 70. */
DORVO_PREVIEW_API int NText_setTextJagged(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 71. */
DORVO_PREVIEW_API int NText_setSyncByMusic(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 72. */
DORVO_PREVIEW_API int NText_setBackMusicDuration(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;

/* ---- Countdown timer (NTimer) ---- */

/* Creates a widget of this family (type code 12) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NTimer_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 47. Background colour. */
DORVO_PREVIEW_API int NTimer_setBackground(const char* widgetId, const char* color) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 165. 0 counts down, 1 counts up; other values are refused. */
DORVO_PREVIEW_API int NTimer_setModel(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 166. value: timer record JSON (ns::CountTimer, dorvo_records.h); keys present
 * replace; text that does not parse or a wrong-typed key changes nothing. */
DORVO_PREVIEW_API int NTimer_setDataTimeStyle(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 167. The caption shown before the count, as plain text. */
DORVO_PREVIEW_API int NTimer_setContent(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 168. As NTimer_setDataTimeStyle. */
DORVO_PREVIEW_API int NTimer_setDisplayStyle(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 169. value: font record JSON (must be an object). */
DORVO_PREVIEW_API int NTimer_setFontStyle(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NTimer_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;

/* ---- Video (NVideo) ---- */

/* Creates a widget of this family (type code 13) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NVideo_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 45. The video file (format: docs/formats.md, "Video source"). */
DORVO_PREVIEW_API int NVideo_setSource(const char* widgetId, const char* source) DORVO_PREVIEW_NOEXCEPT;

/* ---- Branded analogue clock (NTarroAnalogClock) ---- */

/* Creates a widget of this family (type code 14) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NTarroAnalogClock_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 81. The AM/PM label's language: "zh" shows 上午/下午, any other code AM/PM; kept for
 * every later rebuild of the widget. Text other than up to 16 letters, digits, "-" or "_" is logged and
 * ignored. */
DORVO_PREVIEW_API int NTarroAnalogClock_setLanguage(const char* widgetId,
                                                    const char* value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NTarroAnalogClock_destroyWidget(const char* widgetId) DORVO_PREVIEW_NOEXCEPT;

/* ---- Base weather panel (NBaseWeather) ---- */
/* City, weather icon, temperature, air quality, weather, range, wind and humidity, laid out by size (normal
 * from 400 x 250, mini below 200 wide or 100 high, else medium), from the weather service of NWeather
 * (DORVO_WEATHER_URL). Empty until the first good answer. Setters post and return 0, or -1 when the engine
 * is not started. */

/* Creates a widget of this family (type code 15) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NBaseWeather_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NBaseWeather_setSource(const char* widgetId, const char* source) DORVO_PREVIEW_NOEXCEPT;
/* Message 82: non-zero selects Fahrenheit, 0 Celsius. */
DORVO_PREVIEW_API int NBaseWeather_setTemperatureUnit(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Message 83: the place, an area JSON {"country", "province", "city", "county", "cityCode"} or
 * {"area": {...}, "cityNewCode"}; a new place without a new code drops the old code. */
DORVO_PREVIEW_API int NBaseWeather_setLocation(const char* widgetId,
                                               const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 84: the fetch period in seconds; outside 1 to 1440 it is 30 s. */
DORVO_PREVIEW_API int NBaseWeather_setRefreshCycle(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Message 85: the language of the request and labels ("zh", "en", "fr", "es", "pt" and their variants). */
DORVO_PREVIEW_API int NBaseWeather_setLanguage(const char* widgetId,
                                               const char* value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NBaseWeather_deleteWidget(const char* widgetId) DORVO_PREVIEW_NOEXCEPT;

/* ---- Calendar (NCalendar) ---- */

/* Creates a widget of this family (type code 16) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NCalendar_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 80. Shows (true) or hides the lunar date line under the day (record key lunarEnable). */
DORVO_PREVIEW_API int NCalendar_setLunarEnabled(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NCalendar_destroyWidget(const char* widgetId) DORVO_PREVIEW_NOEXCEPT;

/* ---- Senior weather panel (NSeniorWeather) ---- */
/* A basic weather panel and a cycle of detail pages (air quality, comfort, wind and pressure, sunrise and
 * sunset, living indices) in one of four styles, from the weather service of NWeather (DORVO_WEATHER_URL);
 * pages switch every pageSwitchTime seconds (at least 1) when two or more are enabled. Setters post and
 * return 0, or -1 when the engine is not started; the place is read as for NBaseWeather_setLocation. */

/* Creates a widget of this family (type code 17) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NSeniorWeather_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 45. Content of the widget (see the family's content format). */
DORVO_PREVIEW_API int NSeniorWeather_setSource(const char* widgetId,
                                               const char* source) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 86. */
DORVO_PREVIEW_API int NSeniorWeather_setStyle(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 87. */
DORVO_PREVIEW_API int NSeniorWeather_setLocation(const char* widgetId,
                                                 const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 88. */
DORVO_PREVIEW_API int NSeniorWeather_setRefreshCycle(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 89. */
DORVO_PREVIEW_API int NSeniorWeather_setRefreshTime(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 90. */
DORVO_PREVIEW_API int NSeniorWeather_setBaseInfoEnabled(const char* widgetId,
                                                        bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 91. */
DORVO_PREVIEW_API int NSeniorWeather_setAirQualityEnabled(const char* widgetId,
                                                          bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 92. */
DORVO_PREVIEW_API int NSeniorWeather_setComfortEnabled(const char* widgetId,
                                                       bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 93. */
DORVO_PREVIEW_API int NSeniorWeather_setSpeedAndPressureEnabled(const char* widgetId,
                                                                bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 94. */
DORVO_PREVIEW_API int NSeniorWeather_setSunriseAndSunsetEnabled(const char* widgetId,
                                                                bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 95. */
DORVO_PREVIEW_API int NSeniorWeather_setLivingIndexEnabled(const char* widgetId,
                                                           bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 96. */
DORVO_PREVIEW_API int NSeniorWeather_setTemperatureUnit(const char* widgetId,
                                                        int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 97. */
DORVO_PREVIEW_API int NSeniorWeather_setPageSwitchTime(const char* widgetId,
                                                       int value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 98. */
DORVO_PREVIEW_API int NSeniorWeather_setIsDomestic(const char* widgetId, bool value) DORVO_PREVIEW_NOEXCEPT;
/* Posts message 99. */
DORVO_PREVIEW_API int NSeniorWeather_setLanguage(const char* widgetId,
                                                 const char* value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0 (use deleteWidget). */
DORVO_PREVIEW_API int NSeniorWeather_destroyWidget(const char* widgetId) DORVO_PREVIEW_NOEXCEPT;

/* ---- Weather text (NWeather) ---- */
/* Lines of weather text from a template, with data fetched by the library from the weather service whose
 * base address is the environment variable DORVO_WEATHER_URL (for example "http://127.0.0.1:8080"; read at
 * each fetch): GET <base>/api/weather/integration?city=&lang=&wind_type=&unit= with every value
 * percent-encoded, a 10 s time-out and a 1 MiB cap on the answer. Unset, nothing is sent and the fields
 * show "--". Template tokens: $w weather, $c temperature, $h humidity, $b wind, $t range; each replaced at
 * its first place. The service's text is shown as plain text. All setters post (return 0, or -1 when the
 * engine is not started); the widget applies them on the engine thread, where text that is not UTF-8 JSON
 * of the right types is logged and changes nothing. The formats are in docs/formats.md. */

/* Creates a widget of this family (type code 18) and returns its identifier, or NULL when refused. */
DORVO_PREVIEW_API const char* NWeather_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Message 170: the place, JSON {"area": {..., "cityCode"}, "cityNewCode", "windType", "windSpeedUnit"};
 * only the keys given change. A new place fetches at once. */
DORVO_PREVIEW_API int NWeather_setCity(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 171: non-zero draws the text without antialiasing. */
DORVO_PREVIEW_API int NWeather_setSharpened(const char* widgetId, int value) DORVO_PREVIEW_NOEXCEPT;
/* Message 172: the template, lines separated by "\n". */
DORVO_PREVIEW_API int NWeather_setDisplay(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 173: "Celsius", anything else selects Fahrenheit. */
DORVO_PREVIEW_API int NWeather_setTmpUnit(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 174: "show" shows the unit sign, anything else only a degree sign. */
DORVO_PREVIEW_API int NWeather_setTmpSymbol(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 175: the template, as NWeather_setDisplay. */
DORVO_PREVIEW_API int NWeather_setCustomContent(const char* widgetId,
                                                const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 176: JSON {"isShowInOneLine": bool, "effects": {"animation", "speed", ...}}. */
DORVO_PREVIEW_API int NWeather_setDisplayStyle(const char* widgetId,
                                               const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 177: the font record JSON {"font": {...}, "textColor", "letterSpacing"}. */
DORVO_PREVIEW_API int NWeather_setFontStyle(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* Message 178: the fetch period in ms; outside 1000 to 1 440 000 it is 30 000. */
DORVO_PREVIEW_API int NWeather_setUpdateDuration(const char* widgetId, int64_t value) DORVO_PREVIEW_NOEXCEPT;
/* Message 179: the language sent to the service. */
DORVO_PREVIEW_API int NWeather_setLanguage(const char* widgetId, const char* value) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NWeather_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;

/* ---- HDMI input placeholder (NHdmi) ---- */

/* Creates a HDMI input placeholder (type code 20; its icon on a neutral fill, selectable, movable and sizable
 * like a picture) and returns its identifier, or NULL when refused or when nothing could be created (no
 * attached window). Waits until the engine thread has made it. */
DORVO_PREVIEW_API const char* NHdmi_createWidget(void) DORVO_PREVIEW_NOEXCEPT;
/* Accepted and ignored: nothing is posted. Returns 0, or -1 when the engine is not started. */
DORVO_PREVIEW_API int NHdmi_setPic(const char* widgetId, const char* picture) DORVO_PREVIEW_NOEXCEPT;
/* No effect; returns 0. */
DORVO_PREVIEW_API int NHdmi_setName(const char* widgetId, const char* name) DORVO_PREVIEW_NOEXCEPT;
#endif /* DORVO_PREVIEW_H */
