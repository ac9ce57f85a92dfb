#version 330 core
#define lowp
#define mediump
#define highp
// The content unfolds from an anchor: every vertex starts on the anchor line
// (or point) of its axis and moves to its real place as max goes 1 -> 0.
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
    if (dir == 16) {
        pos.x = mix(pos.x, 0.0, max);
    } else if (dir == 17) {
        pos.y = mix(pos.y, 0.0, max);
    } else if (dir == 18) {
        pos.x = mix(pos.x, width, max);
    } else if (dir == 19) {
        pos.y = mix(pos.y, height, max);
    } else if (dir == 20) {
        pos.x = mix(pos.x, width * 0.5, max);
        pos.y = mix(pos.y, height * 0.5, max);
    } else if (dir == 21) {
        pos.x = mix(pos.x, width * 0.5, max);
    } else if (dir == 22) {
        pos.y = mix(pos.y, height * 0.5, max);
    }
    gl_Position = qt_Matrix * pos;
}
