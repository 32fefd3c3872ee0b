# The editor is built as layers, one static library per folder, each linking only the layers
# and JUCE module groups below it:
#
#   app -> views -> controller -> midi -> preset
#            \-> assets                 (cli -> midi -> preset)
#
# A layer's users reach its headers as "folder/Header.h" through an include folder that holds
# nothing but that one folder, so an include of a layer that is not linked fails to compile.
# The JUCE modules are compiled once, in the module groups below; each layer links the groups it
# may use, and tests/layering checks what include folders cannot see (JUCE module headers,
# includes that climb out of their folder with "../").

# q7x_add_module_group (NAME MODULES module... [USES group...])
# Compiles the given JUCE modules into one static library; the modules above it reach these
# through the library instead of compiling their sources a second time.
function (q7x_add_module_group name)
    cmake_parse_arguments (arg "" "" "MODULES;USES" ${ARGN})

    add_library (${name} STATIC)
    target_link_libraries (${name}
        PRIVATE ${arg_MODULES} juce::juce_recommended_config_flags
        PUBLIC q7x_juce_settings ${arg_USES})

    # Users see the modules exactly as the group compiled them. A module's source files are
    # already whole: they are never merged into one another by a unity build.
    set_target_properties (${name} PROPERTIES UNITY_BUILD OFF
        INTERFACE_COMPILE_DEFINITIONS "$<TARGET_PROPERTY:${name},COMPILE_DEFINITIONS>"
        INTERFACE_INCLUDE_DIRECTORIES "$<TARGET_PROPERTY:${name},INCLUDE_DIRECTORIES>"
        Q7X_JUCE_MODULES "${arg_MODULES}")

    set_property (GLOBAL APPEND PROPERTY Q7X_MODULE_GROUPS ${name})
endfunction()

# Once every group exists: a module that depends on a module of another group links that group
# instead, so that no module's sources are compiled twice.
function (q7x_connect_module_groups)
    get_property (groups GLOBAL PROPERTY Q7X_MODULE_GROUPS)
    foreach (group ${groups})
        get_target_property (modules ${group} Q7X_JUCE_MODULES)
        foreach (module ${modules})
            get_target_property (dependencies ${module} INTERFACE_LINK_LIBRARIES)
            if (NOT dependencies)
                continue()
            endif()
            foreach (other ${groups})
                if (NOT other STREQUAL group)
                    get_target_property (other_modules ${other} Q7X_JUCE_MODULES)
                    foreach (other_module ${other_modules})
                        list (TRANSFORM dependencies REPLACE "^(juce::)?${other_module}$" ${other})
                    endforeach()
                endif()
            endforeach()
            set_target_properties (${module} PROPERTIES INTERFACE_LINK_LIBRARIES "${dependencies}")
        endforeach()
    endforeach()
endfunction()

# Platform code sits beside its interface as FooLinux.cpp and FooWindows.cpp (and its tests as
# FooLinuxTest.cpp, FooWindowsTest.cpp): each build keeps its own. The few FooMac.cpp are for a
# macOS build (docs/macos.md) and left out of the others.
macro (q7x_keep_platform_sources list)
    if (WIN32)
        list (FILTER ${list} EXCLUDE REGEX "(Linux|Mac)(Test)?\\.cpp$")
    elseif (APPLE)
        list (FILTER ${list} EXCLUDE REGEX "(Linux|Windows)(Test)?\\.cpp$")
    else()
        list (FILTER ${list} EXCLUDE REGEX "(Windows|Mac)(Test)?\\.cpp$")
    endif()
endmacro()

# q7x_add_layer (TARGET FOLDER USES target... [EXCLUDE file...])
# A static library of the folder's sources (its subfolders' too) but the EXCLUDEd ones, built with
# JUCE's recommended warnings, that sees only what it USES.
function (q7x_add_layer target folder)
    cmake_parse_arguments (arg "" "" "USES;EXCLUDE" ${ARGN})

    file (GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    foreach (excluded ${arg_EXCLUDE})
        list (REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${folder}/${excluded})
    endforeach()
    q7x_keep_platform_sources (sources)

    # A source that sets one of the framework's switches before including it (its native headers,
    # say) needs a compilation of its own: merged with others, the framework would already be in.
    # So does one that includes Xlib's or Windows' headers, whose macros and names (None, Bool,
    # Status; byte, min, max) would meet the sources merged with it.
    foreach (source ${sources})
        file (STRINGS ${source} switches REGEX "^#define JUCE_|^#include <X11/|^#include <windows.h>")
        if (switches)
            set_source_files_properties (${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
    endforeach()

    add_library (${target} STATIC ${sources})
    target_link_libraries (${target} PUBLIC ${arg_USES})
    target_compile_options (${target} PRIVATE ${Q7X_WARNING_FLAGS})

    set (root ${PROJECT_BINARY_DIR}/layers/${folder})
    file (MAKE_DIRECTORY ${root})
    file (CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories (${target} PUBLIC ${root})

    set_target_properties (${target} PROPERTIES Q7X_LAYER_FOLDER ${folder} Q7X_LAYER_USES "${arg_USES}")
    set_property (GLOBAL APPEND PROPERTY Q7X_LAYERS ${target})
endfunction()

# What a target may include, following USES all the way down: folders and JUCE modules.
function (q7x_reachable target out_folders out_modules)
    set (folders)
    set (modules)
    get_target_property (own_folder ${target} Q7X_LAYER_FOLDER)
    get_target_property (own_modules ${target} Q7X_JUCE_MODULES)
    if (own_folder)
        list (APPEND folders ${own_folder})
    endif()
    if (own_modules)
        list (APPEND modules ${own_modules})
    endif()

    get_target_property (uses ${target} Q7X_LAYER_USES)
    if (NOT uses)
        get_target_property (uses ${target} INTERFACE_LINK_LIBRARIES)
    endif()
    foreach (used ${uses})
        if (TARGET ${used})
            get_target_property (is_ours ${used} Q7X_LAYER_FOLDER)
            get_target_property (is_group ${used} Q7X_JUCE_MODULES)
            if (is_ours OR is_group)
                q7x_reachable (${used} more_folders more_modules)
                list (APPEND folders ${more_folders})
                list (APPEND modules ${more_modules})
            endif()
        endif()
    endforeach()

    list (REMOVE_DUPLICATES folders)
    list (REMOVE_DUPLICATES modules)
    set (${out_folders} "${folders}" PARENT_SCOPE)
    set (${out_modules} "${modules}" PARENT_SCOPE)
endfunction()

# Writes one line per layer, "folder: reachable folders | JUCE modules", for the include check.
function (q7x_write_layer_rules file)
    get_property (layers GLOBAL PROPERTY Q7X_LAYERS)
    set (rules "")
    foreach (layer ${layers})
        get_target_property (folder ${layer} Q7X_LAYER_FOLDER)
        q7x_reachable (${layer} folders modules)
        list (JOIN folders " " folders)
        list (JOIN modules " " modules)
        string (APPEND rules "${folder}: ${folders} | ${modules}\n")
    endforeach()
    file (WRITE ${file} "${rules}")
endfunction()
