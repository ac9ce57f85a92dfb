#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// The two halves rise from below (offset max * height) while closing in
// sideways (offset max * width / 2); each half is widened by one pixel so no
// seam shows between them.
uniform highp float max;
uniform highp float width;

void main()
{
    highp vec2 p = qt_TexCoord0;
    highp float px = 1.0 / width;
    float m = 0.0;
    highp vec2 s = vec2(p.x + max * 0.5, p.y - max);
    if (s.x >= 0.0 && s.x < 0.5 + px && s.y >= 0.0 && s.y < 1.0 - max) {
        m = 1.0;
    } else {
        s = vec2(p.x - max * 0.5, p.y - max);
        if (s.x >= 0.5 - px && s.x <= 1.0 && s.y >= 0.0 && s.y < 1.0 - max)
            m = 1.0;
    }
    if (max <= 0.0) {
        s = p;
        m = 1.0;
    }
    fragColor = texture(source, clamp(s, 0.0, 1.0)) * (m * qt_Opacity);
}
