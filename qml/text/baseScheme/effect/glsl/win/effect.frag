#version 330 core
#define lowp
#define mediump
#define highp
// Fragment stage of the geometry effects: the texture as it stands, so
// transparent texels stay transparent (premultiplied colour).
in highp vec2 qt_TexCoord0;
uniform sampler2D source;
uniform lowp float qt_Opacity;
out vec4 fragColor;

void main()
{
    fragColor = texture(source, qt_TexCoord0) * qt_Opacity;
}
