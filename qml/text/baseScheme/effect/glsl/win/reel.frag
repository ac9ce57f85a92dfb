#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// Unrolling reel: the uncovered area plus a band (flipSize of the height,
// narrowing to max / 2) that shows the content mirrored about its middle.
// 64 unrolls downwards, 65 upwards. Output is premultiplied: colour and alpha
// are both scaled by the mask, so transparent texels stay transparent.
uniform highp float max;
uniform highp float flipSize;
uniform int dir;

void main()
{
    highp vec2 s = qt_TexCoord0;
    highp float band = min(flipSize, max * 0.5);
    float m = 0.0;
    if (max <= 0.0) {
        m = 1.0;
    } else if (dir == 65) {
        highp float edge = max;
        if (s.y >= edge) {
            m = 1.0;
        } else if (s.y >= edge - band) {
            s.y = 2.0 * (edge - band * 0.5) - s.y;
            m = 1.0;
        }
    } else {
        highp float edge = 1.0 - max;
        if (s.y < edge) {
            m = 1.0;
        } else if (s.y < edge + band) {
            s.y = 2.0 * (edge + band * 0.5) - s.y;
            m = 1.0;
        }
    }
    fragColor = texture(source, s) * (m * qt_Opacity);
}
