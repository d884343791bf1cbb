-- Per-account records kept in one of the server's keyval stores, shared by the service-extension
-- modules next to this file (loaded with module:require("account_records")).
--
-- Each record is read from storage once and then served from memory: the module that opens a
-- store is its only writer, so the copy cannot go stale, and some records are consulted for
-- every presence and message the server routes.

local function open(store_name)
	local store = module:open_store(store_name);
	local copies = {}; -- account name -> record, or false when nothing is stored

	local records = {};

	-- The account's record, or nil when none is stored (or storage failed; that is logged and
	-- not remembered, so the next call tries again).
	function records.get(username)
		local record = copies[username];
		if record == nil then
			local stored, err = store:get(username);
			if err then
				module:log("warn", "Cannot read %s of %s: %s", store_name, username, err);
				return nil;
			end
			record = stored or false;
			copies[username] = record;
		end
		return record or nil;
	end

	-- Replaces the account's record (nil removes it); true, or nil and the storage error.
	function records.set(username, record)
		local ok, err = store:set(username, record);
		if not ok then
			return nil, err;
		end
		copies[username] = record or false;
		return true;
	end

	return records;
end

return { open = open };
