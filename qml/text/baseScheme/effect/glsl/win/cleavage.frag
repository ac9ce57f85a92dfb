#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// Opening by rows: 240 from the top down, 241 from the bottom up, 243 from
// both edges towards the middle, every other code from the middle line out.
uniform highp float percent;
uniform int dir;

void main()
{
    highp vec2 s = qt_TexCoord0;
    highp float p = percent / 100.0;
    bool shown;
    if (p >= 1.0)
        shown = true;
    else if (dir == 240)
        shown = s.y < p;
    else if (dir == 241)
        shown = s.y >= 1.0 - p;
    else if (dir == 243)
        shown = s.y < p * 0.5 || s.y >= 1.0 - p * 0.5;
    else
        shown = abs(s.y - 0.5) < p * 0.5;
    float m = shown ? 1.0 : 0.0;
    fragColor = texture(source, s) * (m * qt_Opacity);
}
