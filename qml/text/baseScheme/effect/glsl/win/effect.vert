#version 330 core
#define lowp
#define mediump
#define highp
// Pass-through vertex stage of the mask effects: the content stays in place.
in highp vec4 qt_Vertex;
in highp vec2 qt_MultiTexCoord0;
uniform highp mat4 qt_Matrix;
out highp vec2 qt_TexCoord0;

void main()
{
    qt_TexCoord0 = qt_MultiTexCoord0;
    gl_Position = qt_Matrix * qt_Vertex;
}
