# The desktop reminder's content: engine code, tested without a display or a message bus.
target_sources(orv_engine PRIVATE reminders.cpp)
