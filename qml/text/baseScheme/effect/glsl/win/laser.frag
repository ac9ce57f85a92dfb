#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// A beam stretched to (1 + laserSize) times the size sweeps across; behind
// it the content is uncovered, the uncovered edge leading by lead px.
// 208 rightwards, 209 downwards, 210 leftwards, 211 upwards.
uniform highp float max;
uniform highp float width;
uniform highp float height;
uniform highp float lead;
uniform highp float laserSize;
uniform int dir;

void main()
{
    highp vec2 s = qt_TexCoord0;
    highp float k = 1.0 + laserSize;
    int d = dir - 208;
    if (d == 0 || d == 2) {
        highp float l = lead / width;
        if (d == 0) {
            highp float e = 1.0 - max;
            if (s.x >= e + l)
                s.x = e + (s.x - e) / k;
        } else {
            highp float e = max;
            if (s.x < e - l)
                s.x = e - (e - s.x) / k;
        }
    } else {
        highp float l = lead / height;
        if (d == 1) {
            highp float e = 1.0 - max;
            if (s.y >= e + l)
                s.y = e + (s.y - e) / k;
        } else {
            highp float e = max;
            if (s.y < e - l)
                s.y = e - (e - s.y) / k;
        }
    }
    fragColor = texture(source, clamp(s, 0.0, 1.0)) * qt_Opacity;
}
