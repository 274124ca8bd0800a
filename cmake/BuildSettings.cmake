# Settings that belong to whoever ships the build: the program's id and the
# maker's services. Distribution builds override them on the command line,
# e.g. -DVIREO_NEWSLETTER_ENDPOINT= to turn the newsletter off.

set(VIREO_APP_ID "app.vireo.Vireo" CACHE STRING
    "Reverse-DNS id of the program (desktop file name, keys of its newsletter state)")
set(VIREO_NEWSLETTER_ENDPOINT "https://vireo.app" CACHE STRING
    "Base URL of the newsletter service (/mailinglist.php is appended); empty turns the newsletter off")
set(VIREO_APP_TOKEN "vireo-desktop" CACHE STRING
    "Token sent in the X-App-Token header of newsletter requests; empty sends no header")
set(VIREO_PRIVACY_URL "https://vireo.app/privacy" CACHE STRING
    "Privacy policy linked from the newsletter prompt")
set(VIREO_SHARED_SETTINGS_ORG "Vireo" CACHE STRING
    "Organization whose settings file ($XDG_CONFIG_HOME/<org>.conf) holds the newsletter decision for all of its programs; empty keeps it in Vireo's own file")
set(VIREO_UPDATE_FEED_URL "https://vireo.app/releases/latest.json" CACHE STRING
    "JSON release feed ({\"version\": …, \"url\": …}) that update checks read; empty turns update checks off")
set(VIREO_SUPPORT_EMAIL "support@vireo.app" CACHE STRING
    "Address that Help > Contact Support writes to")

# The values become C string literals.
function(vireo_c_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

vireo_c_string(VIREO_APP_ID_C "${VIREO_APP_ID}")
vireo_c_string(VIREO_NEWSLETTER_ENDPOINT_C "${VIREO_NEWSLETTER_ENDPOINT}")
vireo_c_string(VIREO_APP_TOKEN_C "${VIREO_APP_TOKEN}")
vireo_c_string(VIREO_PRIVACY_URL_C "${VIREO_PRIVACY_URL}")
vireo_c_string(VIREO_SHARED_SETTINGS_ORG_C "${VIREO_SHARED_SETTINGS_ORG}")
vireo_c_string(VIREO_UPDATE_FEED_URL_C "${VIREO_UPDATE_FEED_URL}")
vireo_c_string(VIREO_SUPPORT_EMAIL_C "${VIREO_SUPPORT_EMAIL}")

set(VIREO_GENERATED_INCLUDE_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file("${PROJECT_SOURCE_DIR}/src/BuildConfig.h.in"
               "${VIREO_GENERATED_INCLUDE_DIR}/vireo/BuildConfig.h" @ONLY)
