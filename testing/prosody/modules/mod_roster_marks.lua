-- The roster extension ("google:roster"): the kind of each contact, in the attribute "t" of roster
-- items ("P" normal, "B" blocked, "H" hidden; written gr:t with the prefix gr bound to
-- "google:roster").
--
-- A roster set whose item carries the attribute keeps that kind for the contact, and the name
-- and groups it leaves out keep their stored values; a removal forgets the kind. The roster
-- module itself still stores the item, answers and pushes it. Every
-- roster result and push that the account's resources receive carries the kept kind on the
-- items that have one. The attribute goes out under the literal name "gr:t", with the prefix
-- declared on the query: the client looks attributes up by that exact name, and the server
-- would invent a prefix of its own for a namespaced attribute.
--
-- Presence (of every type) and messages from a contact kept as blocked are not delivered to the
-- account. When a contact stops being blocked it is probed, so that its current presence reaches
-- the account again.

local st = require "util.stanza";
local add_filter = require "util.filters".add_filter;
local jid_bare = require "util.jid".bare;
local jid_prep = require "util.jid".prep;
local jid_resource = require "util.jid".resource;
local jid_split = require "util.jid".split;

local xmlns_roster = "jabber:iq:roster";
local xmlns_google_roster = "google:roster";
local kind_attribute = xmlns_google_roster .. "\1t"; -- how the server's parser names gr:t
local kinds = { P = true, B = true, H = true };

local marks = module:require("account_records").open("roster_marks"); -- account -> contact -> kind

module:depends("roster");
module:add_feature(xmlns_google_roster);

local function kind_of(username, contact)
	local kept = marks.get(username);
	return kept and kept[contact];
end

local function keep_kind(username, contact, kind)
	local kept = {};
	for other, other_kind in pairs(marks.get(username) or {}) do
		kept[other] = other_kind;
	end
	kept[contact] = kind;
	local ok, err = marks.set(username, next(kept) and kept or nil);
	if not ok then
		module:log("warn", "Cannot store the contact kinds of %s: %s", username, err);
	end
end

-- The roster module replaces a contact's whole item on a set. A client of this extension sends
-- the kind with no groups, and no name when it blocks or unblocks, so for a set that carries the
-- kind, the name and the groups that it leaves out keep their stored values.
local function keep_name_and_groups(item, stored)
	if not stored then
		return;
	end
	if not item.attr.name then
		item.attr.name = stored.name;
	end
	if not item:get_child("group") then
		for group in pairs(stored.groups or {}) do
			item:text_tag("group", group, { xmlns = xmlns_roster });
		end
	end
end

-- Runs before the roster module, which answers the set; takes the kind from the same items that
-- the roster module accepts (one item with a bare JID other than the account's own).
module:hook("iq/self/jabber:iq:roster:query", function(event)
	local origin, stanza = event.origin, event.stanza;
	local query = stanza.tags[1];
	if stanza.attr.type ~= "set" or #query.tags ~= 1 then
		return;
	end
	local item = query.tags[1];
	if item.name ~= "item" or item.attr.xmlns ~= xmlns_roster or not item.attr.jid then
		return;
	end
	local contact = jid_prep(item.attr.jid);
	local username = origin.username;
	if not contact or jid_resource(contact) or contact == username .. "@" .. origin.host then
		return;
	end
	local was_blocked = kind_of(username, contact) == "B";
	if item.attr.subscription == "remove" then
		keep_kind(username, contact, nil);
	elseif kinds[item.attr[kind_attribute]] then
		keep_kind(username, contact, item.attr[kind_attribute]);
		keep_name_and_groups(item, origin.roster and origin.roster[contact]);
	end
	if was_blocked and kind_of(username, contact) ~= "B" then
		-- Once the roster module has answered and pushed the change, so that the contact's
		-- presence follows the push that unblocks it.
		local probe = st.presence({ type = "probe", from = username .. "@" .. origin.host,
			to = contact });
		module:add_timer(0, function()
			module:send(probe);
		end);
	end
end, 1);

-- Adds the kept kinds to a roster result or push on its way to one of the account's resources.
-- Only the server's own (they carry no 'from'): a roster iq from anybody else is not the
-- account's roster.
local function with_kinds(stanza, session)
	if stanza.name ~= "iq" or stanza.attr.from ~= nil then
		return stanza;
	end
	local query = stanza.tags[1];
	if not query or query.name ~= "query" or query.attr.xmlns ~= xmlns_roster then
		return stanza;
	end
	query.attr["xmlns:gr"] = xmlns_google_roster;
	for _, item in ipairs(query.tags) do
		if item.name == "item" and item.attr.jid then
			item.attr["gr:t"] = kind_of(session.username, item.attr.jid);
		end
	end
	return stanza;
end

module:hook("resource-bind", function(event)
	local session = event.session;
	add_filter(session, "stanzas/out", function(stanza)
		return with_kinds(stanza, session);
	end);
end);

-- Drops what a blocked contact sends to the account.
local function from_blocked_contact(event)
	local stanza = event.stanza;
	local username = jid_split(stanza.attr.to);
	local from = stanza.attr.from;
	if username and from and kind_of(username, jid_bare(from)) == "B" then
		return true;
	end
end

for _, kind in ipairs({ "message", "presence" }) do
	module:hook(kind .. "/bare", from_blocked_contact, 10);
	module:hook(kind .. "/full", from_blocked_contact, 10);
end
