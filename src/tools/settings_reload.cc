// The dialogs' Cancel. (platform-independent)
#include "tools/settings_reload.h"

#include "tools/entities_readings.h"

namespace r7 {

void ReloadSettings(const ToolContext& context) {
  Settings& settings = context.settings;
  const Settings before = settings;
  context.settings_store.LoadAll(settings, context.server_directory());
  settings.no_show = before.no_show;
  settings.list = before.list;
  // Companies are loaded from the System Directory and take the current period as they
  // load: either changed, the loaded ones no longer answer for the settings.
  if (settings.system_directory != before.system_directory ||
      settings.current_period != before.current_period) {
    context.reset_companies();
  }
  if (settings.entities_file_in_gl_path != before.entities_file_in_gl_path ||
      settings.fe_file_path != before.fe_file_path) {
    FollowEntitiesPlace(context);
  }
  if (settings.lists_use_entities_file != before.lists_use_entities_file) context.lists.Reset();
}

}  // namespace r7
