# The layers of the source tree: what each library folder may include, the
# one place that says it (the README points here; check_layers.cmake checks
# every include and every library's CMake dependencies against it). A folder
# may also use whatever the folders it uses may use: app/ reaches protocol/
# through connection/ and builders/.
set(FOLDERS app connection builders render dialogs tools config widgets protocol mqtt)
set(USES_app connection dialogs tools render)
set(USES_connection builders protocol render config)
set(USES_builders protocol)
set(USES_render protocol)
set(USES_dialogs widgets render protocol config)
set(USES_tools protocol widgets) # the generic fitting helpers of widgets/
set(USES_config protocol)        # the one JSON parser; and Qt Core: no socket, no window
set(USES_widgets "")
set(USES_protocol "")
set(USES_mqtt "")                # stands alone

# Top-level folders that hold no library: what they include is not checked.
set(NOT_LIBRARIES tests bench cmake conf docs scripts build)
