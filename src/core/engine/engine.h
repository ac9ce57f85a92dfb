#pragma once

namespace dorvo_preview {

// The engine interface; the Qt engine is the only implementation.
class Engine
{
public:
    virtual ~Engine() = default;
    virtual void init() {}
    virtual void start() {}
    virtual void stop() {}
    virtual void release() {}
};

// Gives access to the engine in use.
class EngineProvider
{
public:
    virtual Engine* getEngine() = 0;
    virtual ~EngineProvider() = default;
};

} // namespace dorvo_preview
