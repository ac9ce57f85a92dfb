#version 330 core
#define lowp
#define mediump
#define highp
// The content slides in by a whole width or height; the item clips it.
in highp vec4 qt_Vertex;
in highp vec2 qt_MultiTexCoord0;
uniform highp mat4 qt_Matrix;
uniform highp float max;
uniform highp float width;
uniform highp float height;
uniform int dir;
out highp vec2 qt_TexCoord0;

void main()
{
    qt_TexCoord0 = qt_MultiTexCoord0;
    highp vec4 pos = qt_Vertex;
    if (dir == 32)
        pos.x -= max * width;
    else if (dir == 33)
        pos.y -= max * height;
    else if (dir == 34)
        pos.x += max * width;
    else if (dir == 35)
        pos.y += max * height;
    gl_Position = qt_Matrix * pos;
}
