#version 330 core
#define lowp
#define mediump
#define highp
// One or two edges start multiple sizes away and close in, compressing the
// content into place; the item clips it.
in highp vec4 qt_Vertex;
in highp vec2 qt_MultiTexCoord0;
uniform highp mat4 qt_Matrix;
uniform highp float max;
uniform highp float width;
uniform highp float height;
uniform highp float multiple;
uniform int dir;
out highp vec2 qt_TexCoord0;

void main()
{
    qt_TexCoord0 = qt_MultiTexCoord0;
    highp vec4 pos = qt_Vertex;
    bool left = qt_MultiTexCoord0.x < 0.5;
    bool top = qt_MultiTexCoord0.y < 0.5;
    highp float dx = multiple * width * max;
    highp float dy = multiple * height * max;
    if ((dir == 48 || dir == 53) && left)
        pos.x -= dx;
    if ((dir == 50 || dir == 53) && !left)
        pos.x += dx;
    if ((dir == 49 || dir == 52) && top)
        pos.y -= dy;
    if ((dir == 51 || dir == 52) && !top)
        pos.y += dy;
    gl_Position = qt_Matrix * pos;
}
