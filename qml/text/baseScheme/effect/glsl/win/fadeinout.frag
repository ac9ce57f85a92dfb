#version 330 core
#define lowp
#define mediump
#define highp
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

// Fade in: the mask is the progress itself.
uniform highp float percent;

void main()
{
    float m = clamp(percent / 100.0, 0.0, 1.0);
    fragColor = texture(source, qt_TexCoord0) * (m * qt_Opacity);
}
