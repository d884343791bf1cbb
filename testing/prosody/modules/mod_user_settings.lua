-- User settings ("google:setting", element "usersetting"): three flags (archivingenabled,
-- mailnotifications, autoacceptsuggestions) and the display name (displayname), each a child
-- element whose attribute "value" holds the setting ("true"/"false" for the flags).
--
-- A get answers the settings stored for the account, in the order the client writes them (the
-- flags, then the display name), and no element for a setting never stored. A set stores the
-- settings it carries (the others keep their stored values) and answers an empty result.

local st = require "util.stanza";

local xmlns_setting = "google:setting";
local flags = { "archivingenabled", "mailnotifications", "autoacceptsuggestions" };

local settings = module:require("account_records").open("user_settings");

module:add_feature(xmlns_setting);

local function settings_element(stored)
	local element = st.stanza("usersetting", { xmlns = xmlns_setting });
	for _, flag in ipairs(flags) do
		if stored[flag] ~= nil then
			element:tag(flag, { value = stored[flag] and "true" or "false" }):up();
		end
	end
	if stored.displayname then
		element:tag("displayname", { value = stored.displayname }):up();
	end
	return element;
end

module:hook("iq-get/self/google:setting:usersetting", function(event)
	local origin, stanza = event.origin, event.stanza;
	origin.send(st.reply(stanza):add_child(settings_element(settings.get(origin.username) or {})));
	return true;
end);

module:hook("iq-set/self/google:setting:usersetting", function(event)
	local origin, stanza = event.origin, event.stanza;
	local element = stanza.tags[1];
	local stored = {};
	for name, value in pairs(settings.get(origin.username) or {}) do
		stored[name] = value;
	end
	for _, flag in ipairs(flags) do
		local given = element:get_child(flag);
		if given then
			stored[flag] = (given.attr.value or ""):lower() == "true";
		end
	end
	local name = element:get_child("displayname");
	if name then
		stored.displayname = name.attr.value or "";
	end
	local ok, err = settings.set(origin.username, stored);
	if not ok then
		module:log("warn", "Cannot store the settings of %s: %s", origin.username, err);
		origin.send(st.error_reply(stanza, "wait", "internal-server-error",
			"Cannot store the settings"));
		return true;
	end
	origin.send(st.reply(stanza));
	return true;
end);
