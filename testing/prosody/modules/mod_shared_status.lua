-- Shared status ("google:shared-status", version 2): one status that all resources of an account
-- share, made of a status text, a show ("default" or "dnd"), the recent status texts of each show
-- and an invisible flag.
--
-- A get answers the stored status (an empty text, "default", empty lists and visible when
-- nothing is stored). A set stores what it carries (elements it leaves out keep their stored
-- value), answers an empty result and pushes the new status, as an iq set, to every resource of
-- the account that has asked for the shared status (with a get or a set), the sending one
-- included: the client changes its own status only when it reads this echo, and it ignores the
-- empty result.
--
-- The stored status also makes the account's presence, since the client announces a status
-- change by the shared status alone: every available presence that one of the account's
-- resources broadcasts gets the stored text and, for "dnd", show dnd (an away or xa show that a
-- resource reports on its own is kept under "default"); while the account is invisible its
-- available presence reaches only its own resources, so contacts see it as unavailable. A set
-- that changes the text, the show or the invisible flag announces the account's presence again.

local st = require "util.stanza";
local jid_bare = require "util.jid".bare;
local new_id = require "util.id".short;

local core_post_stanza = prosody.core_post_stanza;
local core_process_stanza = prosody.core_process_stanza;
local bare_sessions = prosody.bare_sessions;

local xmlns_shared_status = "google:shared-status";

local statuses = module:require("account_records").open("shared_status");

module:add_feature(xmlns_shared_status);

local function default_status()
	return { status = "", show = "default", invisible = false, lists = { default = {}, dnd = {} } };
end

-- The show of a text, as the client reads it: "dnd" in any letter case, else "default".
local function show_of(text)
	return text:lower() == "dnd" and "dnd" or "default";
end

-- The status as the client writes it: status, show, the "default" and "dnd" lists, invisible.
local function status_query(status)
	local query = st.stanza("query", { xmlns = xmlns_shared_status, version = "2" });
	query:text_tag("status", status.status);
	query:text_tag("show", status.show);
	for _, show in ipairs({ "default", "dnd" }) do
		query:tag("status-list", { show = show });
		for _, text in ipairs(status.lists[show]) do
			query:text_tag("status", text);
		end
		query:up();
	end
	query:tag("invisible", { value = status.invisible and "true" or "false" }):up();
	return query;
end

-- The status after a set: each element the query carries replaces the stored value.
local function updated_status(status, query)
	local result = {
		status = query:get_child_text("status") or status.status,
		show = status.show,
		invisible = status.invisible,
		lists = { default = status.lists.default, dnd = status.lists.dnd },
	};
	local show = query:get_child_text("show");
	if show then
		result.show = show_of(show);
	end
	local invisible = query:get_child("invisible");
	if invisible then
		result.invisible = (invisible.attr.value or ""):lower() == "true";
	end
	for list in query:childtags("status-list") do
		local texts = {};
		for text in list:childtags("status") do
			texts[#texts + 1] = text:get_text();
		end
		result.lists[show_of(list.attr.show or "")] = texts;
	end
	return result;
end

local function account_sessions(username)
	local account = bare_sessions[username .. "@" .. module.host];
	return account and account.sessions or {};
end

local function push(username, status)
	for _, session in pairs(account_sessions(username)) do
		if session.wants_shared_status then
			session.send(st.iq({ type = "set", id = new_id(), to = session.full_jid })
				:add_child(status_query(status)));
		end
	end
end

-- Gives an available presence the status's text and show.
local function apply_status(presence, status)
	local show = presence:get_child_text("show");
	if status.show == "dnd" or show == "dnd" then
		presence:remove_children("show");
		if status.show == "dnd" then
			presence:text_tag("show", "dnd");
		end
	end
	presence:remove_children("status");
	if status.status ~= "" then
		presence:text_tag("status", status.status);
	end
end

-- Tells the account's contacts that it went away, as an invisible account must look.
local function send_unavailable_to_contacts(session)
	for contact, item in pairs(session.roster or {}) do
		if contact and (item.subscription == "both" or item.subscription == "from") then
			local unavailable = st.presence({ type = "unavailable", from = session.full_jid,
				to = contact });
			core_post_stanza(session, unavailable, true);
		end
	end
end

-- Announces every available resource's presence again after the status changed; the broadcast
-- passes the hooks below, which apply the new status.
local function announce(username, was_invisible, status)
	for _, session in pairs(account_sessions(username)) do
		if session.presence then
			if status.invisible then
				if not was_invisible then
					send_unavailable_to_contacts(session);
				end
			else
				local presence = st.clone(session.presence);
				presence:remove_children("delay", "urn:xmpp:delay"); -- the server's own stamp
				presence.attr.to, presence.attr.from = nil, nil;
				core_process_stanza(session, presence);
			end
		end
	end
end

module:hook("iq-get/self/google:shared-status:query", function(event)
	local origin, stanza = event.origin, event.stanza;
	origin.wants_shared_status = true;
	local status = statuses.get(origin.username) or default_status();
	origin.send(st.reply(stanza):add_child(status_query(status)));
	return true;
end);

module:hook("iq-set/self/google:shared-status:query", function(event)
	local origin, stanza = event.origin, event.stanza;
	local username = origin.username;
	local stored = statuses.get(username);
	local old = stored or default_status();
	local status = updated_status(old, stanza.tags[1]);
	local ok, err = statuses.set(username, status);
	if not ok then
		module:log("warn", "Cannot store the shared status of %s: %s", username, err);
		origin.send(st.error_reply(stanza, "wait", "internal-server-error",
			"Cannot store the status"));
		return true;
	end
	origin.wants_shared_status = true;
	origin.send(st.reply(stanza));
	push(username, status);
	local presence_changed = old.status ~= status.status or old.show ~= status.show
		or old.invisible ~= status.invisible;
	if not stored or presence_changed then
		announce(username, old.invisible, status);
	end
	return true;
end);

local function is_own_resource(session, to)
	return jid_bare(to) == session.username .. "@" .. session.host;
end

-- Available presence that one of the account's resources sends: its broadcast (no 'to') gets the
-- stored status; while the account is invisible, such presence for anyone but the account's own
-- resources is dropped, which covers the broadcast to contacts, answers to their probes and
-- directed presence.
local function present_with_status(event)
	local origin, stanza = event.origin, event.stanza;
	if origin.type ~= "c2s" or not origin.username or stanza.attr.type ~= nil then
		return;
	end
	local status = statuses.get(origin.username);
	if not status then
		return;
	end
	if stanza.attr.to == nil then
		apply_status(stanza, status);
	elseif status.invisible and not is_own_resource(origin, stanza.attr.to) then
		return true;
	end
end

module:hook("pre-presence/bare", present_with_status, 10);
module:hook("pre-presence/full", present_with_status, 10);
