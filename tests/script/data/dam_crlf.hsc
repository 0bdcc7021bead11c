; decompiled: CR LF with two stray LFs in the header
; build 1.0

(script startup dam_start
	(sleep_until (volume_test_object trig_dam (unit (player_get 0))) 1)
	(object_teleport (unit (player_get 0)) flag_dam)
	(ai_place dam_squad)
  (list_count (players))
)
