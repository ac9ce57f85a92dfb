#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// Blinds: count slats, each revealed from its top (96) or its left (97).
uniform highp float max;
uniform highp float count;
uniform int dir;

void main()
{
    highp vec2 s = qt_TexCoord0;
    highp float t = dir == 97 ? s.x : s.y;
    float m = (max <= 0.0 || fract(t * count) < 1.0 - max) ? 1.0 : 0.0;
    fragColor = texture(source, s) * (m * qt_Opacity);
}
