#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// Interleaved teeth: even stripes rise from below, odd ones fall from above.
uniform highp float max;
uniform highp float dentineCount;

void main()
{
    highp vec2 p = qt_TexCoord0;
    highp float stripe = floor(p.x * dentineCount);
    bool even = mod(stripe, 2.0) < 0.5;
    highp vec2 s = vec2(p.x, even ? p.y - max : p.y + max);
    float m = (s.y >= 0.0 && s.y <= 1.0) ? 1.0 : 0.0;
    fragColor = texture(source, clamp(s, 0.0, 1.0)) * (m * qt_Opacity);
}
