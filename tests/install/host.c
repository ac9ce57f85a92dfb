/* A host as a new editor writes it, in C11 with the installed header only: starts the engine, shows a
 * text widget on a preview window, writes the widget's picture to the file named by argv[2] and quits.
 * argv[1] is the running path. Prints the library's version on its first line. Exit code 0 when the
 * picture was written, 1 otherwise, 2 on bad usage. */
#define _POSIX_C_SOURCE 200809L
#include <dorvo_preview.h>

#include <stdio.h>
#include <sys/stat.h>
#include <time.h>

static const char* const kText =
    "{\"paragraphs\": [{\"lines\": [{\"segs\": [{\"content\": \"Installed\", \"attributeKey\": \"a\"}]}],"
    " \"lineSpacing\": 0, \"letterSpacing\": 0, \"horizontalAlignment\": \"CENTER\","
    " \"verticalAlignment\": \"CENTER\"}],"
    " \"textAttributes\": [{\"key\": \"a\", \"attributes\": {\"textColor\": \"#FFFFFFFF\","
    " \"backgroundColor\": \"#00000000\", \"font\": {\"family\": \"DejaVu Sans\", \"size\": 48,"
    " \"style\": \"BOLD\", \"isUnderline\": false}}}],"
    " \"displayStyle\": {\"type\": \"STATIC\"}}";

static long fileSize(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 ? (long)info.st_size : -1;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s RUNNING_PATH PICTURE.png\n", argv[0]);
        return 2;
    }
    printf("%s\n", dorvo_preview_version());
    fflush(stdout);

    initPreview(NULL, NULL);
    setRunningPath(argv[1]);
    const char* window = createWindow();
    if (!window) {
        fprintf(stderr, "host: no window\n");
        quit();
        return 1;
    }
    setWindowWidth(window, 640);
    setWindowHeight(window, 360);
    setCanvasWidth(window, 640);
    setCanvasHeight(window, 360);
    setWindowBackColor(window, "#FF202020");
    attachWindow(window);
    const char* text = NText_createWidget();
    if (!text) {
        fprintf(stderr, "host: no text widget\n");
        quit();
        return 1;
    }
    setWidgetWidth(text, 600);
    setWidgetHeight(text, 200);
    NText_setBackgroundColor(text, "#FF1E3A5F");
    NText_setSource(text, kText);
    grabWidgetImage(text, argv[2], false);

    /* The picture is written once the engine has drawn the text: wait for it, at most 30 s. */
    int written = 0;
    for (int i = 0; i < 600 && !written; ++i) {
        const struct timespec pause = {0, 50 * 1000 * 1000};
        nanosleep(&pause, NULL);
        written = fileSize(argv[2]) > 0;
    }
    if (!written)
        fprintf(stderr, "host: %s was not written\n", argv[2]);
    if (quit() != 0) {
        fprintf(stderr, "host: quit refused\n");
        return 1;
    }
    return written ? 0 : 1;
}
