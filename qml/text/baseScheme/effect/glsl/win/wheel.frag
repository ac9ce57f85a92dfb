#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// Clock-hand sweep from 12 o'clock, clockwise, over 360 degrees * percent / 100.
uniform highp float percent;
uniform highp float width;
uniform highp float height;

void main()
{
    highp vec2 s = qt_TexCoord0;
    highp float p = percent / 100.0;
    float m = 0.0;
    if (p >= 1.0) {
        m = 1.0;
    } else if (p > 0.0) {
        highp vec2 d = vec2((s.x - 0.5) * width, (s.y - 0.5) * height);
        highp float a = atan(d.x, -d.y);
        if (a < 0.0)
            a += 6.28318530718;
        m = a <= 6.28318530718 * p ? 1.0 : 0.0;
    }
    fragColor = texture(source, s) * (m * qt_Opacity);
}
