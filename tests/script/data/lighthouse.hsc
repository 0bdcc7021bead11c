;*
 lighthouse: later-game style with typed script parameters
*;
(script static void (lighthouse_spawn (ai squad) (short count))
	(ai_place squad count)
	(sleep 10))

(script stub void lighthouse_flash
	(print "stub"))

(script static boolean (lighthouse_ready (object beacon))
	(volume_test_object trig_lighthouse beacon))

(script command_script cs_lighthouse_guard
	(sleep_until (> (ai_living_count lighthouse_guards) 0) 30 300)
	(ai_magically_see_object lighthouse_guards (player_get 0)))

(script continuous lighthouse_tele
	(sleep_until (lighthouse_ready lighthouse_beacon) 15)
	(lighthouse_spawn lighthouse_squad 4)
	(object_destroy lighthouse_door)
	(object_create_anew lighthouse_door)
	(sound_impulse_start snd_horn (player_get 0) 1)
	(device_set_position lighthouse_gate 1)
	(set cheat_deathless_player true)
	(sleep (* 30 game_speed)))
